#include "mw_git/git_steps.h"

#include <initializer_list>
#include <vector>

#include "mw_git/git_command.h"
#include "mw_git/git_identity.h"

namespace {

// Settings of the user's own configuration that would change what is
// recorded or stop the import: signing (a passphrase per commit), hooks,
// end-of-line conversion and attributes (texts must stay byte for byte),
// another commit encoding, and a garbage collection left running in the
// background after the import has returned.
constexpr const char *kOverrides[] = {
    "commit.gpgsign=false",   "core.hooksPath=/dev/null",
    "core.autocrlf=false",    "core.safecrlf=false",
    "core.attributesFile=/dev/null", "i18n.commitEncoding=UTF-8",
    "gc.autoDetach=false",
};

int git_in(const char *root, std::initializer_list<std::string> command,
           char *err, size_t err_size) {
  std::vector<std::string> args = {"-C", root};
  for (const char *setting : kOverrides) {
    args.emplace_back("-c");
    args.emplace_back(setting);
  }
  args.insert(args.end(), command);
  return run_git(args, err, err_size);
}

// Whitespace clean-up is git's default for a message not edited; naming it
// keeps a user's commit.cleanup=strip from eating lines that start with '#'.
int commit_with(const char *root, const char *message_option, const std::string &value,
                char *err, size_t err_size) {
  return git_in(root,
                {"commit", "--allow-empty", "--no-verify", "--cleanup=whitespace",
                 message_option, value},
                err, err_size);
}

}  // namespace

int git_prepare_repository(const char *root, char *err, size_t err_size) {
  if (git_in(root, {"init"}, err, err_size) != 0) return -1;
  if (git_in(root, {"config", "user.name", kImporterName}, err, err_size) != 0)
    return -1;
  return git_in(root, {"config", "user.email", kImporterEmail}, err, err_size);
}

int git_add_file(const char *root, const std::string &path, char *err,
                 size_t err_size) {
  return git_in(root, {"add", "-f", "--", path}, err, err_size);
}

int git_commit_from_file(const char *root, const char *message_path, char *err,
                         size_t err_size) {
  return commit_with(root, "-F", message_path, err, err_size);
}

int git_commit_with_message(const char *root, const std::string &message,
                            char *err, size_t err_size) {
  return commit_with(root, "-m", message, err, err_size);
}
