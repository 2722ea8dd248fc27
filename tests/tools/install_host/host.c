/* A host program built against an installed copy of the library: inspects
 * and imports the dump it is given. */
#include <stdio.h>
#include <string.h>

#include <tessel.h>

static int commits;

static void count_commit(int pages_done, int revisions_done, const char *title) {
  (void)pages_done;
  (void)revisions_done;
  (void)title;
  ++commits;
}

int main(int argc, char **argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: host DUMP WIKI_DIR\n");
    return 2;
  }
  const char *report = tessel_inspect_dump_json(argv[1]);
  if (strcmp(report, "{}") == 0) {
    fprintf(stderr, "inspect failed: %s\n", tessel_last_error());
    return 1;
  }
  printf("%s\n", report);
  if (tessel_import_file(argv[1], argv[2], count_commit) != 0) {
    fprintf(stderr, "import failed: %s\n", tessel_last_error());
    return 1;
  }
  printf("tessel %s made %d commits\n", tessel_version(), commits);
  return 0;
}
