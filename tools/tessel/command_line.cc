#include "tessel/command_line.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <map>

#include "tessel.h"

namespace {

constexpr const char *kDescription =
    "tessel reads MediaWiki database dumps written by mysqldump (plain, or\n"
    "compressed with gzip, bzip2, xz or zstd), reports on them and imports\n"
    "them into git: one file per page, one commit per revision.";

constexpr const char *kMainExamples =
    "Examples:\n"
    "  tessel inspect wiki.sql                 print the dump's report as JSON\n"
    "  tessel import wiki.sql wiki/            import it into the repository wiki/\n"
    "  tessel import --quiet wiki.sql.gz wiki/ import, printing errors only\n"
    "  tessel COMMAND --help                   help on one command\n"
    "\n"
    "Exit status: 0 on success, 1 when the inspection or import failed,\n"
    "2 for a usage error.";

constexpr const char *kInspectExamples =
    "Prints to standard output the report of tessel_inspect_dump_json: the\n"
    "file's size, generator, MediaWiki generation and dump time, and the row\n"
    "counts of the page, revision, text, slots and categorylinks tables.\n"
    "\n"
    "Examples:\n"
    "  tessel inspect wiki.sql\n"
    "  tessel inspect wiki.sql > report.json";

constexpr const char *kImportExamples =
    "Makes WIKI_DIR (with its parents) a git repository if it is not one\n"
    "yet and adds one commit per revision in timestamp order, then one\n"
    "\"Initialize\" commit per page without revisions. A summary follows on\n"
    "standard output: pages, revisions, commits, time taken.\n"
    "\n"
    "Progress goes to standard error: while the dump is read, bytes read of\n"
    "its size and MB/s; while the history is written, revisions committed of\n"
    "the total, commits per second, the time left and the current title.\n"
    "  --progress=auto   redrawn in place when standard error is a terminal,\n"
    "                    otherwise nothing (the default)\n"
    "  --progress=tty    redrawn in place, whatever standard error is\n"
    "  --progress=plain  a line every few seconds, for logs\n"
    "  --progress=none   nothing\n"
    "\n"
    "Examples:\n"
    "  tessel import wiki.sql wiki/\n"
    "  tessel import --progress=plain wiki.sql wiki/ 2> import.log\n"
    "  tessel import -q wiki.sql wiki/ && git -C wiki/ log --stat";

const std::map<std::string, progress_choice> kProgressChoices = {
    {"auto", progress_choice::automatic},
    {"tty", progress_choice::tty},
    {"plain", progress_choice::plain},
    {"none", progress_choice::none},
};

// CLI11 reports a mistyped command as a missing one; name it instead.
std::string usage_problem(const CLI::App &app, const CLI::ParseError &e, int argc,
                          const char *const *argv) {
  if (app.get_subcommands().empty() && argc > 1 && argv[1][0] != '-')
    return std::string("unknown command '") + argv[1] + "' (the commands are inspect and import)";
  return e.what();
}

std::string help_command(const CLI::App &app) {
  const auto chosen = app.get_subcommands();
  return chosen.empty() ? "tessel --help" : "tessel " + chosen.front()->get_name() + " --help";
}

}  // namespace

parsed_command_line parse_command_line(int argc, const char *const *argv) {
  parsed_command_line result;
  CLI::App app{kDescription, "tessel"};
  app.set_version_flag("--version", std::string("tessel ") + tessel_version(),
                       "Print the version and exit");
  app.set_help_flag("-h,--help", "Print this help and exit");
  app.require_subcommand(1);
  app.footer(kMainExamples);

  CLI::App *inspect = app.add_subcommand("inspect", "Print the inspection report of a dump as JSON");
  inspect->add_option("DUMP", result.what.dump, "The dump file")->required();
  inspect->footer(kInspectExamples);

  CLI::App *import = app.add_subcommand("import", "Import a dump into a git repository");
  import->add_option("DUMP", result.what.dump, "The dump file")->required();
  import->add_option("WIKI_DIR", result.what.wiki_dir, "The repository to write to")->required();
  std::string progress = "auto";
  import->add_option("--progress", progress, "auto, tty, plain or none (see below)")
      ->check(CLI::IsMember(kProgressChoices))
      ->capture_default_str()
      ->type_name("WHEN");
  import->add_flag("-q,--quiet", result.what.quiet,
                   "Print nothing but errors (no progress, no summary)");
  import->footer(kImportExamples);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError &e) {
    if (e.get_exit_code() == 0) {
      result.exit_code = app.exit(e);
      return result;
    }
    std::cerr << "tessel: " << usage_problem(app, e, argc, argv) << "\nRun '"
              << help_command(app) << "' for more information.\n";
    result.exit_code = kExitUsage;
    return result;
  }
  result.what.command = app.got_subcommand(import) ? tool_command::import : tool_command::inspect;
  result.what.progress = kProgressChoices.at(progress);
  result.run = true;
  return result;
}
