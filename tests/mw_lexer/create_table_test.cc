// CREATE TABLE column capture: the column names of every table, in order,
// and nothing of keys, types, defaults or options.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "lexer_test_util.h"
#include "mw_lexer/reader.h"
#include "mw_store/store.h"

namespace {

using lexer_test::open_memory;
using lexer_test::rest_of;
using lexer_test::scan_text;

std::vector<std::string> columns_of(const mw_store_t &store, const std::string &table) {
  for (const auto &t : store.tables)
    if (table == t.table_name)
      return std::vector<std::string>(t.column_names, t.column_names + t.column_count);
  return {};
}

const char kTypicalPage[] =
    "CREATE TABLE `page` (\n"
    "  `page_id` int(10) unsigned NOT NULL AUTO_INCREMENT,\n"
    "  `page_namespace` int(11) NOT NULL DEFAULT 0,\n"
    "  `page_title` varbinary(255) NOT NULL DEFAULT '',\n"
    "  `page_random` double unsigned NOT NULL DEFAULT 0,\n"
    "  `page_touched` binary(14) NOT NULL DEFAULT '\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0',\n"
    "  `page_latest` int(10) unsigned NOT NULL DEFAULT 0,\n"
    "  `page_content_model` varbinary(32) DEFAULT NULL,\n"
    "  PRIMARY KEY (`page_id`),\n"
    "  UNIQUE KEY `name_title` (`page_namespace`,`page_title`),\n"
    "  KEY `page_random` (`page_random`),\n"
    "  KEY `page_len` (`page_len`)\n"
    ") ENGINE=InnoDB AUTO_INCREMENT=2 DEFAULT CHARSET=binary COMMENT='a;b';";

TEST(CreateTable, TypicalMysqldumpTableRegistersExactlyItsColumns) {
  auto s = open_memory(std::string(kTypicalPage).substr(strlen("CREATE TABLE")) + "\nNEXT");
  mw_store_t store;
  parse_create_table(s.get(), &store);
  EXPECT_EQ(columns_of(store, "page"),
            (std::vector<std::string>{"page_id", "page_namespace", "page_title", "page_random",
                                      "page_touched", "page_latest", "page_content_model"}));
  EXPECT_EQ(rest_of(s.get()), "\nNEXT");
  EXPECT_EQ(store.tables.size(), 1u);
}

struct create_case {
  const char *name;
  std::string sql;
  std::string table;
  std::vector<std::string> columns;
};

TEST(CreateTable, TableOfCases) {
  const std::string long_name(80, 'n');
  const create_case cases[] = {
      {"IF NOT EXISTS", "CREATE TABLE IF NOT EXISTS `page` (`a` int, `b` int);", "page", {"a", "b"}},
      {"keys in small letters",
       "create table t (`a` int, primary key (`a`), unique key `u` (`b`), key `k` (`c`),"
       " index `i` (`d`), fulltext key `f` (`e`), constraint `x` foreign key (`f`),"
       " check (`a` > 0), `z` int);",
       "t", {"a", "z"}},
      {"literals with commas, parentheses and quotes",
       "CREATE TABLE t (`a` varchar(9) DEFAULT 'x,(y' COMMENT 'it\\'s, (1)',"
       " `b` enum('p,q','r)') DEFAULT 'it''s,', `c` int COMMENT \"d,\"\"e\", `d` int);",
       "t", {"a", "b", "c", "d"}},
      {"bare names and types", "CREATE TABLE t (a int(10) unsigned, b_2 text, c$ blob);", "t",
       {"a", "b_2", "c$"}},
      {"double-quoted name is a literal, the type is taken",
       "CREATE TABLE t (\"id\" int, `b` int);", "t", {"int", "b"}},
      {"leading underscore and digits dropped", "CREATE TABLE t (_x int, 9y int);", "t",
       {"x", "y"}},
      {"a definition of another word", "CREATE TABLE t (`a` int, SPATIAL KEY `s` (`g`));", "t",
       {"a", "SPATIAL"}},
      {"80-byte table name", "CREATE TABLE `" + long_name + "` (`a` int);", long_name.substr(0, 63),
       {"a"}},
      {"file ends inside the statement", "CREATE TABLE `t` (`a` int, `b` varchar(10", "t",
       {"a", "b"}},
      {"CREATE TABLE ... LIKE registers nothing", "CREATE TABLE `t` LIKE `u`;", "t", {}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    mw_store_t store;
    scan_text(&store, c.sql, 0);
    EXPECT_EQ(columns_of(store, c.table), c.columns);
  }
}

TEST(CreateTable, EveryTableIsRegisteredAndTheNextStatementIsRead) {
  mw_store_t store;
  scan_text(&store,
            "CREATE TABLE `user` (`user_id` int, `user_name` varchar(255) DEFAULT ';');\n"
            "CREATE TABLE `category` (`cat_id` int, `cat_title` varchar(255));\n"
            "INSERT INTO `page` VALUES (1);",
            0);
  EXPECT_EQ(columns_of(store, "user"), (std::vector<std::string>{"user_id", "user_name"}));
  EXPECT_EQ(columns_of(store, "category"), (std::vector<std::string>{"cat_id", "cat_title"}));
  EXPECT_EQ(store.rows_page, 1u);
}

TEST(CreateTable, DeclaringTheContentTableIsRemembered) {
  mw_store_t store;
  scan_text(&store, "CREATE TABLE `content` (`content_id` bigint, `content_address` varbinary(255));",
            0);
  EXPECT_TRUE(store.has_content_table);
}

}  // namespace
