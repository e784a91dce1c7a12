// The version check and usage counter on the maker's web site: one request
// counts a use of the program ("/compteur.php", answer ignored), a second
// reads the number of the latest version ("/version.txt", first line). When
// that number differs from the running version, the caller shows the
// "softupdate" hint. Every failure is silent: no answer simply shows nothing.
#pragma once

#include "catalogues/web/download.h"

#include <QString>

namespace catalogues::web {

// The running version as the maker's site writes it: major, minor and
// revision joined by "." (1.4.14).
QString RunningVersionText();

// The longest the whole check may take, both requests together, when the
// site does not answer.
inline constexpr int kUpdateCheckBudgetMs = 4000;

struct UpdateCheckRequest {
    bool enabled = false;   // UpdateCheckEnabled
    QString makerSite;      // scheme and host name; empty: nothing is contacted
    QString runningVersion; // RunningVersionText()
    int budgetMs = kUpdateCheckBudgetMs;
};

struct UpdateCheckResult {
    bool contacted = false;  // at least one request was sent
    QString latest;          // the first line of the version answer ("" when none)
    bool newVersion = false; // latest is not empty and differs from the running version
};

// Runs the check: "temp.tmp" and "version.tmp" in the program folder receive
// the two answers (neither is cached). A stale "version.tmp" is removed
// first, so only a fresh answer is compared. The comparison is exact text:
// "1.04.0014" differs from "1.4.14".
UpdateCheckResult CheckForUpdate(const UpdateCheckRequest& request);

} // namespace catalogues::web
