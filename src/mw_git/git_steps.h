// The git commands of an export, each run in the repository at root. Every
// one returns 0, or -1 with git's message in err (see run_git). Allocation
// failure throws std::bad_alloc.
#pragma once

#include <cstddef>
#include <string>

// git init, then the repository's user.name and user.email: the importer's
// identity, which commits fall back on for whatever the environment lacks.
int git_prepare_repository(const char *root, char *err, size_t err_size);

// Stages the file at path (relative to root), taken literally and byte for
// byte, even where the user's ignore rules would leave it out.
int git_add_file(const char *root, const std::string &path, char *err,
                 size_t err_size);

// Records one commit, even when nothing changed, with the message read from
// the file at message_path (relative to root, or absolute).
int git_commit_from_file(const char *root, const char *message_path, char *err,
                         size_t err_size);

// Records one commit, even when nothing changed, with message as its text.
int git_commit_with_message(const char *root, const std::string &message,
                            char *err, size_t err_size);
