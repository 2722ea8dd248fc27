// Writes the history held by a store into a git repository.
#pragma once

#include <cstddef>

#include "tessel.h"

struct mw_store_t;

// Makes wiki_root_dir (with its parents) a git repository and records in it
// one commit per revision, in the order of mw_store_sort_revisions (which
// sorts the store's revisions in place): the revision's text becomes the
// whole content of its page's file, its user the author and committer name,
// its timestamp (UTC) both dates, its comment the message. Then every page
// that no revision touched gets an empty file and a commit "Initialize
// <title>". progress, when non-null, is called after every commit.
//
// The commit identity is passed in GIT_AUTHOR_NAME, GIT_AUTHOR_EMAIL,
// GIT_AUTHOR_DATE, GIT_COMMITTER_NAME and GIT_COMMITTER_DATE of this
// process's environment, which keep the last revision's values afterwards.
// The work directory ".tessel_tmp" in the root is made when missing and
// left in place; the message file in it is removed.
//
// Returns 0, or -1 at the first failure (null argument, a file that cannot
// be written, a git command that cannot be run or fails, memory exhausted)
// with the message in err (see write_message). Commits made before a
// failure stay. Never throws.
int mw_git_export(mw_store_t *store, const char *wiki_root_dir,
                  mw_progress_fn progress, char *err, size_t err_size);
