// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <sys/types.h>

// A user of the tests' own, made once on this machine (root only): "tervalo-player".
// Returns false, with a test failure, when it cannot be had.
bool ordinaryUser(uid_t& uid, gid_t& gid);

// Runs the current test again, in a copy of this test program, as that user: for a test that
// means nothing as root, who reads and writes everything. Root only. Fails the current test
// unless the copy ran it and it passed.
void runAsOrdinaryUser();
