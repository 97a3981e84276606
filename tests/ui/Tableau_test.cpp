// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Board.h"
#include "support/Fakes.h"
#include "support/TestGame.h"
#include "ui/BoardView.h"
#include "ui/CellButton.h"
#include "ui/ImageView.h"
#include "ui/Tableau.h"
#include "ui/VkCommand.h"
#include "ui/VkFrame.h"
#include "ui/VkLabel.h"
#include "ui/VkOptionButton.h"

#include <QFile>
#include <QFontInfo>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The mines of the fixed deal, none on a corner; cell 100 is a number cell next to 89.
constexpr int Mines[] = {12, 23, 34, 45, 56, 67, 78, 89, 15, 51};

bool isMine(int cell) {
    return std::find(std::begin(Mines), std::end(Mines), cell) != std::end(Mines);
}

class TableauTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    // Start-up as the program does it: the game loads, then the window shows it.
    void start() {
        game.Form_Load(dir.filePath(QStringLiteral("tervalo")));
        window = std::make_unique<Tableau>(game);
    }
    void startShown() {
        start();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    template <typename T = QWidget> T* widget(const QString& name) {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    CellButton* cell(int i) { return widget<CellButton>(QStringLiteral("BtnBomb_%1").arg(i)); }

    // A click where the player would click: through the window, at the control's centre.
    QPoint centreOf(QWidget* w) const { return w->mapTo(window.get(), w->rect().center()); }
    void clickOn(QWidget* w, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(window->windowHandle(), button, {}, centreOf(w));
    }
    void deal() { clickOn(widget(QStringLiteral("Rejouer"))); }

    QTemporaryDir dir;
    FixedRandom random{drawsFor(Mines)};
    ManualClock clock;
    RecordingPlayer sound;
    TestGame game{random, clock, sound};
    std::unique_ptr<Tableau> window;
};

} // namespace

// The design's places and texts written out a second time, so that a slip in the table shows.
TEST_F(TableauTest, ControlsShowTheDesignedTextsInTheirPlaces) {
    window = std::make_unique<Tableau>(game);
    const struct {
        const char* name;
        QRect pixels;
        QString text; // the caption, title or label text; empty: not checked
    } cases[] = {
        {"PicFond", {0, 0, 502, 502}, {}},
        {"vkLabel1",
         {0, 502, 502, 28},
         QStringLiteral(
             "Clic Bouton gauche pour effacer les cases - Bouton droit pour les marquer")},
        {"vkFrame1", {504, 0, 179, 303}, QStringLiteral("Statistiques")},
        {"Commentaire", {506, 308, 175, 23}, QStringLiteral("Partie en cours...")},
        {"MinesF", {504, 336, 83, 103}, QStringLiteral("Mines")},
        {"vkFrame13", {590, 336, 91, 103}, QStringLiteral("Son")},
        {"Rejouer", {504, 450, 177, 35}, QStringLiteral("Rejouer")},
        {"Quitter", {504, 496, 177, 35}, QStringLiteral("Quitter")},
        {"BtnBomb_1", {2, 2, 48, 48}, {}},
        {"Bombe_1", {0, 54, 32, 32}, {}},
        {"vkFrame5", {4, 214, 171, 47}, QStringLiteral("%  de réussite")},
        {"Pourcent", {44, 22, 88, 21}, QStringLiteral("0 %")},
        {"Mines", {8, 32, 66, 64}, QStringLiteral("10")},
        {"Sons_0", {16, 34, 61, 27}, QStringLiteral("Oui")},
        {"Sons_1", {16, 64, 63, 27}, QStringLiteral("Non")},
        {"vkFrame8", {4, 28, 171, 63}, QStringLiteral("Temps de la partie")},
        {"TempsActuel", {4, 18, 76, 21}, QStringLiteral("0:00:00")},
        {"vkFrame9", {86, 20, 85, 43}, QStringLiteral("meilleur")},
        {"vkFrame2", {4, 90, 171, 63}, QStringLiteral("Nombre de parties")},
        {"vkFrame12", {0, 20, 85, 43}, QStringLiteral("jouées")},
        {"vkFrame11", {86, 20, 85, 43}, QStringLiteral("gagnées")},
        {"vkFrame4", {4, 152, 171, 63}, QStringLiteral("Victoires consécutives")},
        {"vkFrame6", {0, 20, 85, 43}, QStringLiteral("actuelle")},
        {"RAZ", {4, 264, 171, 35}, QStringLiteral("RAZ Statistiques")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget* w = widget(QString::fromUtf8(c.name));
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->geometry(), c.pixels);
        if (auto* label = qobject_cast<VkLabel*>(w)) {
            EXPECT_EQ(label->text(), c.text);
        } else if (auto* frame = qobject_cast<VkFrame*>(w)) {
            EXPECT_EQ(frame->title(), c.text);
        } else if (auto* button = qobject_cast<QAbstractButton*>(w); button && !c.text.isEmpty()) {
            EXPECT_EQ(button->text(), c.text);
        }
    }
}

TEST_F(TableauTest, WindowHasTheClientAreaTitleAndIcon) {
    window = std::make_unique<Tableau>(game);
    EXPECT_EQ(window->size(), QSize(684, 534));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("Tervalo")));
    EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("Version 1.2")));
    const QIcon icon = window->windowIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_FALSE(icon.pixmap(32, 32).isNull());
}

TEST_F(TableauTest, FontsResolveToInstalledFamilies) {
    window = std::make_unique<Tableau>(game);
    const QString narrow = QFontInfo(widget(QStringLiteral("vkLabel1"))->font()).family();
    EXPECT_TRUE(narrow.contains(QStringLiteral("Narrow"))) << narrow.toStdString();
    const QFontInfo helvetica(widget(QStringLiteral("Rejouer"))->font());
    EXPECT_FALSE(helvetica.family().isEmpty());
    EXPECT_TRUE(helvetica.bold());
    EXPECT_FALSE(QFontInfo(widget(QStringLiteral("Pourcent"))->font()).family().isEmpty());
}

TEST_F(TableauTest, StartUpShowsTheBetweenGamesState) {
    start();
    for (int i = 2; i <= 100; ++i) {
        EXPECT_TRUE(cell(i)->isHidden()) << i;
    }
    for (int k = 1; k <= 10; ++k) {
        EXPECT_TRUE(widget(QStringLiteral("Bombe_%1").arg(k))->isHidden()) << k;
    }
    EXPECT_FALSE(cell(1)->isHidden());
    EXPECT_EQ(cell(1)->icon().cacheKey(), game.c.Nuage.picture.cacheKey());
    EXPECT_TRUE(widget(QStringLiteral("Rejouer"))->isEnabled());
    EXPECT_TRUE(widget(QStringLiteral("RAZ"))->isEnabled());
    EXPECT_FALSE(window->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
    EXPECT_EQ(widget<VkLabel>(QStringLiteral("Mines"))->text(), QStringLiteral("10"));
    EXPECT_EQ(widget<VkLabel>(QStringLiteral("PJoué"))->text(), QStringLiteral("0"));
    EXPECT_EQ(widget<VkLabel>(QStringLiteral("Pourcent"))->text(), QStringLiteral("0 %"));
    EXPECT_EQ(widget<VkLabel>(QStringLiteral("Commentaire"))->text(),
              QStringLiteral("Partie en cours..."));
    EXPECT_TRUE(widget<VkOptionButton>(QStringLiteral("Sons_0"))->isChecked());
    EXPECT_EQ(game.v.PartiesJouees, 0); // nothing dealt
}

TEST_F(TableauTest, CellButtonsStandOnTheGrid) {
    start();
    const struct {
        int cell, row, column;
        QPoint topLeft, sample;
    } cases[] = {
        {1, 1, 1, {2, 2}, {27, 27}},        {2, 1, 2, {52, 2}, {77, 27}},
        {10, 1, 10, {452, 2}, {477, 27}},   {11, 2, 1, {2, 52}, {27, 77}},
        {55, 6, 5, {202, 252}, {227, 277}}, {100, 10, 10, {452, 452}, {477, 477}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cell);
        CellButton* b = cell(c.cell);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->index(), c.cell);
        EXPECT_EQ(b->parentWidget()->objectName(), QStringLiteral("PicFond"));
        EXPECT_EQ(b->geometry(), QRect(c.topLeft, QSize(48, 48)));
        EXPECT_EQ(board::row(c.cell), c.row);
        EXPECT_EQ(board::column(c.cell), c.column);
        EXPECT_EQ(QPoint(game.v.Cases[c.cell][1], game.v.Cases[c.cell][2]), c.sample);
        EXPECT_EQ(b->accessibleName(), QStringLiteral("Case %1").arg(c.cell));
    }
    // Every button in its own square, and the faces filling it rather than Qt's 16 pixels.
    for (int i = 1; i <= 100; ++i) {
        EXPECT_EQ(cell(i)->geometry(), board::buttonRect(i)) << i;
        EXPECT_GE(cell(i)->iconSize().width(), 44);
    }
    const std::array<Colour, 9> digits{0,        0xFF0000, 0x00C000, 0xC000C0, 0x0000C0,
                                       0x0080FF, 0xC0C000, 0x00C0C0, 0x000000};
    for (int d = 1; d <= 8; ++d) {
        EXPECT_EQ(game.v.CouleurChiffre[d], digits[d]) << d;
    }
}

TEST(FaceIdentity, AButtonKeepsTheCacheKeyOfTheIconItWasGiven) {
    const QIcon face(QStringLiteral(":/pictures/Nuage.svg"));
    const QIcon other(QStringLiteral(":/pictures/RBomb.svg"));
    ASSERT_NE(face.cacheKey(), other.cacheKey());
    QPushButton button;
    button.setIcon(face);
    EXPECT_EQ(button.icon().cacheKey(), face.cacheKey());
    button.setIcon(other);
    EXPECT_EQ(button.icon().cacheKey(), other.cacheKey());
}

TEST_F(TableauTest, GrabbedWindowShowsTheDesignedColours) {
    startShown();
    const QImage shot = window->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(684, 534));
    // The board between games: its background, in the open away from cell 1.
    EXPECT_EQ(shot.pixel(300, 300), toQRgb(colours::BoardBackground));
    // The statistics frame's title bar runs from cyan on the left to black on the right,
    // inside its blue border.
    EXPECT_TRUE(near(shot.pixel(504 + 2, 3), qRgb(0, 255, 255), 8));
    EXPECT_TRUE(near(shot.pixel(504 + 179 - 3, 3), qRgb(0, 0, 0), 8));
    EXPECT_EQ(shot.pixel(504, 150), qRgb(0, 0, 255));
    EXPECT_EQ(shot.pixel(504 + 178, 150), qRgb(0, 0, 255));
    // The sound frame's body, below its options.
    EXPECT_EQ(shot.pixel(590 + 8, 336 + 98), toQRgb(0xEAFFE8));
    // Labels: the instruction line's background and its border, the message line's white.
    EXPECT_EQ(shot.pixel(2, 504), toQRgb(0xFCF7F4));
    EXPECT_EQ(shot.pixel(0, 515), qRgb(0, 0, 0));
    EXPECT_EQ(shot.pixel(506 + 2, 308 + 2), qRgb(255, 255, 255));
    // The mine counter as start-up leaves it, on the colour the model holds.
    EXPECT_EQ(shot.pixel(504 + 8 + 3, 336 + 32 + 3), toQRgb(game.c.Mines.back));
}

TEST_F(TableauTest, BoardIsPaintedWithExactColoursOnAScaledScreen) {
    startShown();
    deal();
    // Lose at once, so the whole picture is on view.
    game.BtnBomb_Click(game.v.PosBombes[1]);
    window->showModel();
    auto* board = widget<BoardView>(QStringLiteral("PicFond"));
    QImage scaled(1004, 1004, QImage::Format_RGB32);
    scaled.setDevicePixelRatio(2);
    scaled.fill(Qt::magenta);
    board->render(&scaled, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    const QImage& picture = game.PicFond.image();
    int mismatches = 0;
    for (int y = 0; y < 502; ++y) {
        for (int x = 0; x < 502; ++x) {
            const QRgb want = picture.pixel(x, y);
            for (int dy = 0; dy < 2; ++dy) {
                for (int dx = 0; dx < 2; ++dx) {
                    mismatches += scaled.pixel(2 * x + dx, 2 * y + dy) != want;
                }
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST_F(TableauTest, RejouerClickedThroughTheWindowDeals) {
    startShown();
    deal();
    EXPECT_EQ(game.v.PartiesJouees, 1);
    EXPECT_FALSE(widget(QStringLiteral("Rejouer"))->isEnabled());
    EXPECT_FALSE(widget(QStringLiteral("RAZ"))->isEnabled());
    auto* timer = window->findChild<QTimer*>(QStringLiteral("Timer1"));
    EXPECT_TRUE(timer->isActive());
    // Set for the first whole second after the deal.
    EXPECT_GT(timer->interval(), 0);
    EXPECT_LE(timer->interval(), 1000);
    EXPECT_EQ(widget<VkLabel>(QStringLiteral("Commentaire"))->text(),
              QStringLiteral(" Partie en cours..."));
    EXPECT_EQ(widget<VkLabel>(QStringLiteral("Commentaire"))->backColour(), 0xC0E0FF);
    EXPECT_EQ(widget<VkLabel>(QStringLiteral("Mines"))->backColour(), 0x00FFFF);
    auto* board = widget(QStringLiteral("PicFond"));
    for (int i = 1; i <= 100; ++i) {
        EXPECT_FALSE(cell(i)->isHidden()) << i;
        EXPECT_TRUE(cell(i)->isEnabled()) << i;
        EXPECT_EQ(cell(i)->icon().cacheKey(), game.c.Nuage.picture.cacheKey()) << i;
    }
    // Each mine picture over its mine, beneath the cell's button.
    for (int k = 1; k <= 10; ++k) {
        SCOPED_TRACE(k);
        QWidget* mine = widget(QStringLiteral("Bombe_%1").arg(k));
        const int at = game.v.PosBombes[k];
        EXPECT_TRUE(isMine(at));
        EXPECT_FALSE(mine->isHidden());
        EXPECT_EQ(mine->geometry(),
                  QRect(board::buttonRect(at).topLeft() + QPoint(9, 9), QSize(32, 32)));
        // Siblings stack in the order of the board's children, the last on top.
        EXPECT_LT(board->children().indexOf(mine), board->children().indexOf(cell(at)));
    }
}

TEST_F(TableauTest, LeftClickOnACellRevealsIt) {
    startShown();
    deal();
    ASSERT_FALSE(isMine(100));
    clickOn(cell(100));
    EXPECT_TRUE(cell(100)->isHidden());
    EXPECT_FALSE(game.c.BtnBomb[100].visible);
    EXPECT_TRUE(window->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
    // A click on a mine ends the game: every button goes, "Rejouer" comes back.
    clickOn(cell(Mines[0]));
    EXPECT_TRUE(cell(Mines[0])->isHidden());
    EXPECT_TRUE(widget(QStringLiteral("Rejouer"))->isEnabled());
    EXPECT_FALSE(window->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
    EXPECT_EQ(widget<VkLabel>(QStringLiteral("Commentaire"))->backColour(),
              game.c.Commentaire.back);
}

TEST_F(TableauTest, RightButtonReleaseMarksThePressedCell) {
    startShown();
    deal();
    clickOn(cell(1), Qt::RightButton);
    EXPECT_EQ(cell(1)->icon().cacheKey(), game.c.RBomb.picture.cacheKey());
    EXPECT_FALSE(cell(1)->isHidden()); // a right click reveals nothing
    EXPECT_EQ(widget<VkLabel>(QStringLiteral("Mines"))->text(), QStringLiteral("1"));
    EXPECT_EQ(sound.played, QStringList{QStringLiteral("\\POP.wav")});
    clickOn(cell(1), Qt::RightButton);
    EXPECT_EQ(cell(1)->icon().cacheKey(), game.c.iBomb.picture.cacheKey());
    // Pressed on one cell and released over another: the pressed one.
    QTest::mousePress(window->windowHandle(), Qt::RightButton, {}, centreOf(cell(2)));
    QTest::mouseRelease(window->windowHandle(), Qt::RightButton, {}, centreOf(cell(3)));
    EXPECT_EQ(cell(2)->icon().cacheKey(), game.c.RBomb.picture.cacheKey());
    EXPECT_EQ(cell(3)->icon().cacheKey(), game.c.Nuage.picture.cacheKey());
}

TEST_F(TableauTest, SoundChoiceFollowsClicksOnly) {
    startShown();
    clickOn(widget(QStringLiteral("Sons_1")));
    EXPECT_EQ(game.v.SonActif, 0);
    EXPECT_TRUE(widget<VkOptionButton>(QStringLiteral("Sons_1"))->isChecked());
    EXPECT_FALSE(widget<VkOptionButton>(QStringLiteral("Sons_0"))->isChecked());
    // A choice the program makes shows, but is no click.
    game.c.Sons[0].value = 1;
    game.c.Sons[1].value = 0;
    window->showModel();
    EXPECT_TRUE(widget<VkOptionButton>(QStringLiteral("Sons_0"))->isChecked());
    EXPECT_EQ(game.v.SonActif, 0);
    clickOn(widget(QStringLiteral("Sons_1")));
    clickOn(widget(QStringLiteral("Sons_0")));
    EXPECT_NE(game.v.SonActif, 0);
}

TEST_F(TableauTest, TimerTicksShowTheElapsedTime) {
    startShown();
    deal();
    clock.monotonic += 5000;
    clock.dayFraction += 5.0 / 86400.0;
    auto* label = widget<VkLabel>(QStringLiteral("TempsActuel"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return label->text() == QStringLiteral("0:00:05"); }, 3000))
        << label->text().toStdString();
}

TEST_F(TableauTest, QuitterClosesTheWindowAndSavesTheStatistics) {
    startShown();
    clickOn(widget(QStringLiteral("Sons_1")));
    clickOn(widget(QStringLiteral("Quitter")));
    EXPECT_FALSE(window->isVisible());
    QFile saved(game.v.FichierParametres);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly)) << game.v.FichierParametres.toStdString();
    const QByteArray text = saved.readAll();
    EXPECT_TRUE(text.contains("Sonore=0")) << text.toStdString();
}
