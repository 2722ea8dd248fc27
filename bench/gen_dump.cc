// gen_dump: deterministic generator of synthetic MediaWiki database dumps in
// the format written by `mysqldump` (MySQL 8.0, extended INSERTs).
//
// Usage:
//   gen_dump (--size BYTES | --revisions N) [--schema current|legacy]
//            [--mix text|meta] [--seed S] [--out FILE] [--stats FILE]
//            [--escape-tabs]
//
//   --size BYTES     keep adding revisions until the dump is about BYTES long
//                    (suffixes K, M, G = 1024-based; fractions like 1.5G ok)
//   --revisions N    write exactly N revisions (N may be 0)
//   --schema         current: MediaWiki 1.39-style tables (actor, comment,
//                    content, slots, revision with rev_actor/rev_comment_id);
//                    legacy: MediaWiki 1.27-style tables (revision with
//                    rev_text_id, rev_comment, rev_user, rev_user_text).
//                    Default: current.
//   --mix            text: article-like wiki text of 2-20 KB per revision,
//                    texts dominate the bytes; meta: many pages, revisions and
//                    categorylinks rows with texts of tens of bytes.
//                    Default: text.
//   --seed S         64-bit seed (default 1).
//   --out FILE       write there instead of stdout.
//   --stats FILE     also write a small JSON file with the row counts of the
//                    generated tables (page, revision, text, slots, ...).
//   --escape-tabs    write TAB as \t inside strings.  Real mysqldump leaves
//                    TAB bytes raw (it only escapes \0 \n \r \\ \' \" \Z);
//                    this switch exercises the other accepted spelling.
//
// Identical arguments give byte-identical output: all randomness comes from a
// splitmix64 generator seeded from --seed, never from the C++ library.
// The wiki content depends on --seed and --mix only, not on --schema: the
// same seed/mix with either schema describes the same pages, revisions,
// users, comments and texts, and a smaller dump is a prefix (by revision id)
// of a larger one.
//
// Ids: pages 1..P, revisions 1..R; revision r uses content row r, text row r
// (content_address 'tt:r' / rev_text_id r) and slot (r, role 1).  rev_sha1 and
// content_sha1 are the real base-36 SHA-1 of the text, rev_len/page_len its
// byte length, comment_hash the signed CRC-32 of the comment text, as
// MediaWiki computes them.  Revision 5 holds a NUL byte and revision 6 a 0x1A
// byte (plus rare random ones), page 2 uses CRLF line ends.
//
// Build: g++ -O2 -std=c++20 -o gen_dump bench/gen_dump.cc

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

using u8 = uint8_t;
using u32 = uint32_t;
using u64 = uint64_t;

// ---------------------------------------------------------------- PRNG ----

inline u64 mix64(u64 z) {
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

inline u64 H(u64 a, u64 b = 0, u64 c = 0, u64 d = 0) {
  u64 x = mix64(a + 0x9E3779B97F4A7C15ULL);
  x = mix64(x ^ (b + 0x632BE59BD9B4E019ULL));
  x = mix64(x ^ (c * 0xD6E8FEB86659FD93ULL + 0x1));
  x = mix64(x ^ (d * 0xA0761D6478BD642FULL + 0x2));
  return x;
}

struct Rng {
  u64 s;
  explicit Rng(u64 seed) : s(seed) {}
  u64 next() {
    s += 0x9E3779B97F4A7C15ULL;
    return mix64(s);
  }
  // Uniform in [0, n), n > 0.
  u32 below(u32 n) { return static_cast<u32>(((next() >> 32) * static_cast<u64>(n)) >> 32); }
  bool pm(u32 per_mille) { return below(1000) < per_mille; }
};

// Salts separating the independent random streams.
enum : u64 {
  kSaltRev = 11, kSaltPage = 12, kSaltText = 13, kSaltBlock = 14, kSaltComment = 15,
  kSaltUser = 16, kSaltRare = 18, kSaltSearch = 19,
};

// ------------------------------------------------------------- SHA-1 ------

inline u32 rol(u32 x, int n) { return (x << n) | (x >> (32 - n)); }

void sha1_block(u32 h[5], const u8* p) {
  u32 w[16];
  for (int i = 0; i < 16; ++i)
    w[i] = (u32(p[4 * i]) << 24) | (u32(p[4 * i + 1]) << 16) | (u32(p[4 * i + 2]) << 8) | u32(p[4 * i + 3]);
  u32 a = h[0], b = h[1], c = h[2], d = h[3], e = h[4];
  auto W = [&w](int i) -> u32 {
    if (i < 16) return w[i];
    u32 v = rol(w[(i + 13) & 15] ^ w[(i + 8) & 15] ^ w[(i + 2) & 15] ^ w[i & 15], 1);
    w[i & 15] = v;
    return v;
  };
  auto step = [&](u32 f, u32 k, u32 wi) {
    u32 t = rol(a, 5) + f + e + k + wi;
    e = d; d = c; c = rol(b, 30); b = a; a = t;
  };
  for (int i = 0; i < 20; ++i) step((b & c) | (~b & d), 0x5A827999, W(i));
  for (int i = 20; i < 40; ++i) step(b ^ c ^ d, 0x6ED9EBA1, W(i));
  for (int i = 40; i < 60; ++i) step((b & c) | (b & d) | (c & d), 0x8F1BBCDC, W(i));
  for (int i = 60; i < 80; ++i) step(b ^ c ^ d, 0xCA62C1D6, W(i));
  h[0] += a; h[1] += b; h[2] += c; h[3] += d; h[4] += e;
}

void sha1(const void* data, size_t n, u8 out[20]) {
  u32 h[5] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
  const u8* p = static_cast<const u8*>(data);
  size_t full = n / 64;
  for (size_t i = 0; i < full; ++i) sha1_block(h, p + 64 * i);
  u8 tail[128] = {};
  size_t rem = n - full * 64;
  if (rem) std::memcpy(tail, p + full * 64, rem);
  tail[rem] = 0x80;
  size_t tl = (rem + 1 + 8 <= 64) ? 64 : 128;
  u64 bits = static_cast<u64>(n) * 8;
  for (int i = 0; i < 8; ++i) tail[tl - 1 - i] = static_cast<u8>(bits >> (8 * i));
  sha1_block(h, tail);
  if (tl == 128) sha1_block(h, tail + 64);
  for (int i = 0; i < 5; ++i)
    for (int j = 0; j < 4; ++j) out[4 * i + j] = static_cast<u8>(h[i] >> (24 - 8 * j));
}

// SHA-1 as MediaWiki stores it: base 36, zero-padded to 31 digits.
void base36_31(const u8 d[20], char out[31]) {
  u32 w[5];
  for (int i = 0; i < 5; ++i)
    w[i] = (u32(d[4 * i]) << 24) | (u32(d[4 * i + 1]) << 16) | (u32(d[4 * i + 2]) << 8) | u32(d[4 * i + 3]);
  static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  for (int i = 30; i >= 0; --i) {
    u64 rem = 0;
    for (int j = 0; j < 5; ++j) {
      u64 cur = (rem << 32) | w[j];
      w[j] = static_cast<u32>(cur / 36);
      rem = cur % 36;
    }
    out[i] = digits[rem];
  }
}

// ------------------------------------------------------------- CRC-32 -----

u32 crc_table[256];
void crc_init() {
  for (u32 i = 0; i < 256; ++i) {
    u32 c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    crc_table[i] = c;
  }
}
u32 crc32(std::string_view s) {
  u32 c = 0xFFFFFFFFu;
  for (unsigned char ch : s) c = crc_table[(c ^ ch) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

// ----------------------------------------------------- string helpers -----

// mysqldump escapes exactly these bytes inside quoted values.
char esc_map[256];
void esc_init(bool tabs) {
  std::memset(esc_map, 0, sizeof esc_map);
  esc_map[0] = '0';
  esc_map[static_cast<u8>('\n')] = 'n';
  esc_map[static_cast<u8>('\r')] = 'r';
  esc_map[static_cast<u8>('\\')] = '\\';
  esc_map[static_cast<u8>('\'')] = '\'';
  esc_map[static_cast<u8>('"')] = '"';
  esc_map[0x1A] = 'Z';
  if (tabs) esc_map[static_cast<u8>('\t')] = 't';
}

void put_esc(std::string& s, const char* p, size_t n) {
  size_t i = 0;
  while (i < n) {
    size_t j = i;
    while (j < n && !esc_map[static_cast<u8>(p[j])]) ++j;
    s.append(p + i, j - i);
    if (j < n) {
      char e[2] = {'\\', esc_map[static_cast<u8>(p[j])]};
      s.append(e, 2);
      ++j;
    }
    i = j;
  }
}

size_t esc_len(const char* p, size_t n) {
  size_t extra = 0;
  for (size_t i = 0; i < n; ++i) extra += esc_map[static_cast<u8>(p[i])] != 0;
  return n + extra;
}

inline void put_u64(std::string& s, u64 v) {
  char b[24];
  auto r = std::to_chars(b, b + sizeof b, v);
  s.append(b, r.ptr - b);
}
inline void put_i64(std::string& s, int64_t v) {
  char b[24];
  auto r = std::to_chars(b, b + sizeof b, v);
  s.append(b, r.ptr - b);
}
inline void put_str(std::string& s, std::string_view v) {
  s += '\'';
  put_esc(s, v.data(), v.size());
  s += '\'';
}
inline int digits10(u64 v) {
  int d = 1;
  while (v >= 10) { v /= 10; ++d; }
  return d;
}

// Epoch seconds -> civil date (UTC).
struct Civil { int y, mo, d, h, mi, s; };
Civil civil(u64 t) {
  int64_t days = static_cast<int64_t>(t / 86400);
  u32 sec = static_cast<u32>(t % 86400);
  days += 719468;
  int64_t era = days / 146097;
  u32 doe = static_cast<u32>(days - era * 146097);
  u32 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  int64_t y = static_cast<int64_t>(yoe) + era * 400;
  u32 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  u32 mp = (5 * doy + 2) / 153;
  u32 d = doy - (153 * mp + 2) / 5 + 1;
  u32 m = mp < 10 ? mp + 3 : mp - 9;
  if (m <= 2) ++y;
  return {static_cast<int>(y), static_cast<int>(m), static_cast<int>(d),
          static_cast<int>(sec / 3600), static_cast<int>(sec / 60 % 60), static_cast<int>(sec % 60)};
}
inline void put2(std::string& s, int v) { s += char('0' + v / 10); s += char('0' + v % 10); }
inline void put4(std::string& s, int v) { put2(s, v / 100); put2(s, v % 100); }
// 'YYYYMMDDHHMMSS' with quotes.
void put_ts14(std::string& s, u64 t) {
  Civil c = civil(t);
  s += '\'';
  put4(s, c.y); put2(s, c.mo); put2(s, c.d); put2(s, c.h); put2(s, c.mi); put2(s, c.s);
  s += '\'';
}
// 'YYYY-MM-DD HH:MM:SS' with quotes.
void put_ts_sql(std::string& s, u64 t) {
  Civil c = civil(t);
  s += '\'';
  put4(s, c.y); s += '-'; put2(s, c.mo); s += '-'; put2(s, c.d); s += ' ';
  put2(s, c.h); s += ':'; put2(s, c.mi); s += ':'; put2(s, c.s);
  s += '\'';
}

// ------------------------------------------------------------- output -----

class Out {
 public:
  Out(FILE* f, bool discard) : f_(f), discard_(discard) { buf_.reserve(kFlush + (4u << 20)); }
  void put(std::string_view s) {
    buf_.append(s.data(), s.size());
    if (buf_.size() >= kFlush) flush();
  }
  void flush() {
    if (!discard_ && !buf_.empty()) {
      if (std::fwrite(buf_.data(), 1, buf_.size(), f_) != buf_.size()) {
        std::fprintf(stderr, "gen_dump: write failed: %s\n", std::strerror(errno));
        std::exit(1);
      }
    }
    written_ += buf_.size();
    buf_.clear();
  }
  u64 bytes() const { return written_ + buf_.size(); }

 private:
  static constexpr size_t kFlush = 8u << 20;
  FILE* f_;
  bool discard_;
  std::string buf_;
  u64 written_ = 0;
};

// Extended INSERT statements split exactly the way mysqldump splits them
// with its default net_buffer_length.
class Inserts {
 public:
  Inserts(Out& out, std::string_view table) : out_(out) {
    pat_ = "INSERT INTO `";
    pat_ += table;
    pat_ += "` VALUES ";
  }
  // `row` is the complete tuple including the parentheses.
  void row(const std::string& row) {
    u64 len = 2 + row.size();
    if (total_ + len < kNetBuffer) {
      total_ += len;
      out_.put(",");
      out_.put(row);
    } else {
      if (started_) out_.put(";\n");
      started_ = true;
      out_.put(pat_);
      out_.put(row);
      total_ = len + pat_.size() + 4;
    }
  }
  void finish() {
    if (started_) out_.put(";\n");
  }

 private:
  static constexpr u64 kNetBuffer = 1024 * 1024 - 1025;
  Out& out_;
  std::string pat_;
  u64 total_ = kNetBuffer;
  bool started_ = false;
};

// ---------------------------------------------------------- vocabulary ----

constexpr std::string_view kWords[] = {
    "the", "of", "and", "in", "to", "a", "is", "was", "for", "on", "as", "with", "by", "that", "it",
    "from", "at", "an", "which", "his", "her", "were", "are", "be", "this", "has", "had", "also",
    "first", "one", "two", "their", "its", "after", "new", "who", "other", "they", "been", "more",
    "city", "river", "state", "school", "year", "years", "war", "world", "music", "album", "film",
    "team", "game", "church", "village", "station", "county", "party", "history", "family", "during",
    "between", "born", "known", "released", "national", "university", "century", "called", "people",
    "species", "became", "district", "including", "under", "football", "population", "north",
    "south", "east", "west", "series", "built", "used", "later", "town", "early", "region", "since",
    "band", "group", "season", "work", "well", "song", "part", "area", "time", "government", "based",
    "league", "named", "local", "public", "several", "system", "large", "small", "number", "many",
    "most", "over", "until", "while", "where", "both", "each", "such", "three", "four", "record",
    "career", "published", "about", "into", "only", "held", "high", "main", "house", "line", "road",
    "park", "island", "valley", "bridge", "tower", "castle", "museum", "library", "garden", "lake",
    "mountain", "forest", "coast", "harbour", "old", "near", "around", "against", "member", "members",
    "original", "former", "second", "third", "second", "modern", "ancient", "northern", "southern",
    "major", "minor", "general", "common", "period", "according", "following", "because", "however",
    "although", "without", "within", "along", "across", "through", "toward", "among", "named",
};
constexpr std::string_view kIntl[] = {
    "café", "naïve", "Zürich", "über", "façade", "résumé", "Ångström", "São Paulo", "Kraków",
    "Málaga", "Gödel", "Dvořák", "Øresund", "Straße", "crème brûlée", "déjà vu", "piñata",
    "jalapeño", "日本語", "東京", "北京", "Москва", "Ελλάδα", "العربية", "हिन्दी", "한국어", "😀",
    "🎉", "🚀", "—", "–", "€", "±", "→", "20 °C", "½", "…", "“quoted”", "«guillemets»", "naïveté",
};
constexpr std::string_view kPunct[] = {
    "it's", "don't", "O'Brien", "\"so-called\"", "rock'n'roll", "C:\\Windows", "back\\slash",
    "50%", "&amp;", "<br />", "a/b", "\"quoted\"", "'single'", "x\\y", "isn't", "\\n", "won't",
};
constexpr std::string_view kTemplates[] = {
    "Citation needed", "Main", "See also", "Clarify", "Nowrap", "Convert|5|km|mi", "Lang|fr|café",
    "Coord|48|N|2|E", "Reflist", "Stub", "Cn", "As of|2010", "Sfn|Smith|2001|p=12", "Dead link",
};
constexpr std::string_view kTitleTok[64] = {
    "Alder", "Birch", "Cedar", "Zürich", "Ember", "Falcon", "Granite", "Harbor", "Iris", "Juniper",
    "Kestrel", "Lantern", "Meadow", "Nimbus", "O'Brien", "Pioneer", "Quartz", "Raven", "Sierra",
    "Thistle", "Umber", "Vale", "Willow", "Xenon", "Yarrow", "Zephyr", "Éclair", "Öland", "Ångström",
    "Málaga", "Kraków", "São", "東京", "北京", "Москва", "Αθήνα", "Children's", "\"Quoted\"", "Atlas",
    "Beacon", "Citadel", "Delta", "Echo", "Fjord", "Glacier", "Horizon", "Island", "Jasper",
    "Keystone", "Lagoon", "Monarch", "Nova", "Orchid", "Prairie", "Quill", "Ridge", "Summit",
    "Tundra", "Union", "Vortex", "Wharf", "Yukon", "Zenith", "Meridian",
};
constexpr std::string_view kCatWord[64] = {
    "stubs", "people", "places", "history", "science", "music", "films", "sports", "rivers",
    "castles", "bridges", "writers", "painters", "births", "deaths", "villages", "towns", "lakes",
    "islands", "mountains", "museums", "libraries", "stations", "albums", "songs", "bands", "novels",
    "poems", "plays", "games", "software", "companies", "schools", "universities", "churches",
    "buildings", "parks", "gardens", "forests", "birds", "mammals", "fish", "insects", "plants",
    "minerals", "languages", "dialects", "festivals", "holidays", "dishes", "drinks", "ships",
    "aircraft", "trains", "roads", "canals", "écrivains", "peintres", "städte", "日本", "musique",
    "ciencia", "artistes", "rétro",
};
constexpr std::string_view kUserName[64] = {
    "Alice", "Bob", "Carol", "Dave", "Eve", "Frank", "Grace", "Heidi", "Ivan", "Judy", "Mallory",
    "Niaj", "Olivia", "Peggy", "Rupert", "Sybil", "Trent", "Uma", "Victor", "Walter", "Xavier",
    "Yvonne", "Zoë", "José", "Łukasz", "Søren", "Ærin", "Chloé", "Renée", "Jürgen", "Björk", "Ñandú",
    "O'Connor", "D'Arcy", "李雷", "山田", "Владимир", "Δημήτρης", "Amélie", "François", "Bjørn",
    "Åsa", "Ioana", "Mihai", "Kenji", "Aiko", "Priya", "Ravi", "Fatima", "Omar", "Leila", "Nikolai",
    "Sven", "Ingrid", "Hans", "Greta", "Pablo", "Lucía", "Mateo", "Camila", "Diego", "Elena", "Marco",
    "Giulia",
};
constexpr std::string_view kSections[] = {
    "History", "Geography", "Etymology", "Early life", "Career", "Legacy", "Reception", "Overview",
    "Description", "Background", "See also", "Further reading", "External links", "Notes",
    "Économie", "Culture", "Demographics", "Transport", "Architecture", "Awards and honours",
};

template <size_t N>
constexpr size_t count_of(const std::string_view (&)[N]) { return N; }

// ------------------------------------------------------------- config -----

struct Config {
  u64 size = 0;
  u64 revisions = 0;
  bool by_size = false;
  bool legacy = false;
  bool meta = false;
  u64 seed = 1;
  bool esc_tabs = false;
  std::string out;
  std::string stats;
};

// ---------------------------------------------------------------- plan -----

struct Rev {
  u32 page, actor, comment, parent;
  u32 len;
  u32 minor;
  u64 ts;
  char sha1[31];  // base 36, as stored in rev_sha1 / content_sha1
};
struct PageState { u32 first_rev, latest_rev, nrev; };
struct Actor { u32 user; u32 ip; };  // user == 0: anonymous actor number `ip`
struct User { u32 actor; u64 reg; u64 touched; u32 edits; };
struct CatCount { u32 pages, subcats, files; };

constexpr u64 kBaseTime = 1104537600;  // 2005-01-01 00:00:00 UTC
constexpr u32 kMaxCats = 8;

struct PageAttr {
  u32 id = 0;
  int ns = 0;
  std::string title;  // db form, underscores
  bool redirect = false;
  u32 target = 0;
  u32 base_size = 0;
  bool crlf = false;
  u64 random12 = 0;
  u32 ncat = 0;
  u32 cats[kMaxCats] = {};
  bool sort_prefix = false;
};

const char* ns_name(int ns) {
  switch (ns) {
    case 1: return "Talk";
    case 2: return "User";
    case 4: return "Project";
    case 6: return "File";
    case 10: return "Template";
    case 14: return "Category";
    default: return "";
  }
}

class Gen {
 public:
  explicit Gen(const Config& config) : cfg_(config) {
    gseed_ = mix64(config.seed ^ 0x7E55E1D0C0FFEEULL) ^ (config.meta ? 0xA5A5A5A5ULL : 0);
    ncats_ = config.meta ? 3000 : 300;
    row_.reserve(64 << 10);
    text_.reserve(64 << 10);
    tmp_.reserve(64 << 10);
    cat_names_.resize(ncats_);
    for (u32 c = 0; c < ncats_; ++c) cat_name_build(cat_names_[c], c);
    std::vector<u32> order(ncats_);
    for (u32 c = 0; c < ncats_; ++c) order[c] = c;
    std::sort(order.begin(), order.end(), [&](u32 x, u32 y) { return cat_names_[x] < cat_names_[y]; });
    cat_rank_.resize(ncats_);
    for (u32 i = 0; i < ncats_; ++i) cat_rank_[order[i]] = i;
  }

  void plan_initial();
  void plan(u64 fixed_bytes);
  void emit(Out& out);
  void write_stats(u64 bytes) const;

 private:
  // --- names ---
  static void title_from_id(std::string& s, u32 pid);
  static void cat_name_build(std::string& s, u32 c);
  const std::string& cat_name(u32 c) const { return cat_names_[c]; }
  static void user_name(std::string& s, u32 uid);
  static void ip_name(std::string& s, u32 ip);
  void actor_name(std::string& s, u32 aid) const;
  PageAttr page_attr(u32 pid) const;
  void comment_text(std::string& s, u32 cid) const;

  // --- text ---
  void word(std::string& t, Rng& r) const;
  void title_words(std::string& t, Rng& r, int n) const;
  void sentence(std::string& t, Rng& r, int minw, int maxw) const;
  void block(std::string& t, Rng& r, u32 j, const PageAttr& pa) const;
  void gen_text(std::string& t, const PageAttr& pa, u32 k, u32 rev);

  // --- rows (each writes one complete tuple into s) ---
  void row_actor(std::string& s, u32 aid) const;
  void row_user(std::string& s, u32 uid) const;
  void row_comment(std::string& s, u32 cid);
  void row_page(std::string& s, const PageAttr& pa) const;
  void row_revision(std::string& s, u32 r);
  void row_content(std::string& s, u32 r) const;
  void row_slots(std::string& s, u32 r) const;
  void row_cl(std::string& s, const PageAttr& pa, u32 i) const;
  void row_redirect(std::string& s, const PageAttr& pa) const;
  void row_category(std::string& s, u32 cat_id, u32 c) const;
  void row_search(std::string& s, const PageAttr& pa) const;
  void row_text(std::string& s, u32 id, const std::string& text) const;

  // --- emission ---
  void table(Out& out, std::string_view name, std::string_view ddl, u64 auto_inc,
             void (Gen::*rows)(Inserts&));
  void rows_none(Inserts&) {}
  void rows_actor(Inserts& w);
  void rows_category(Inserts& w);
  void rows_categorylinks(Inserts& w);
  void rows_comment(Inserts& w);
  void rows_content(Inserts& w);
  void rows_content_models(Inserts& w);
  void rows_interwiki(Inserts& w);
  void rows_logging(Inserts& w);
  void rows_objectcache(Inserts& w);
  void rows_page(Inserts& w);
  void rows_redirect(Inserts& w);
  void rows_revision(Inserts& w);
  void rows_searchindex(Inserts& w);
  void rows_site_stats(Inserts& w);
  void rows_slot_roles(Inserts& w);
  void rows_slots(Inserts& w);
  void rows_text(Inserts& w);
  void rows_updatelog(Inserts& w);
  void rows_user(Inserts& w);
  void rows_user_groups(Inserts& w);

  u32 R() const { return static_cast<u32>(revs_.size() - 1); }
  u32 P() const { return static_cast<u32>(pages_.size() - 1); }
  u32 used_categories() const {
    u32 n = 0;
    for (const auto& c : cats_) n += c.pages > 0;
    return n;
  }

  const Config& cfg_;
  u64 gseed_;
  u32 ncats_;
  std::vector<Rev> revs_;
  std::vector<PageState> pages_;
  std::vector<Actor> actors_;
  std::vector<User> users_;
  std::vector<CatCount> cats_;
  u32 ncomments_ = 0;
  u32 nips_ = 0;
  u64 ncatlinks_ = 0;
  u32 nredirects_ = 0;
  u32 tables_declared_ = 0;
  std::vector<std::string> cat_names_;
  std::vector<u32> cat_rank_;  // position of each category name in byte order
  std::string row_, text_, tmp_, name_;
};

// ---------------------------------------------------------------- names ---

// Distinct page ids give distinct titles: the id picks a block (3, 4 or 5
// tokens) and a bijective scramble of the id inside the block.
void Gen::title_from_id(std::string& s, u32 pid) {
  s.clear();
  if (pid == 1) {
    s = "Main_Page";
    return;
  }
  u64 x = pid - 2;
  int ntok = 3;
  u64 span = u64(1) << 18;
  while (x >= span) {
    x -= span;
    ++ntok;
    span = u64(1) << (6 * ntok);
  }
  u64 mask = span - 1;
  u64 y = (x * 0x2545F4914F6CDD1DULL + 0x9E3779B97ULL) & mask;
  for (int i = 0; i < ntok; ++i) {
    if (i) s += '_';
    s += kTitleTok[(y >> (6 * i)) & 63];
  }
}

void Gen::cat_name_build(std::string& s, u32 c) {
  s.clear();
  s += kTitleTok[c % 64];
  s += '_';
  s += kCatWord[(c / 64) % 64];
  if (c >= 4096) {
    s += '_';
    put_u64(s, c / 4096);
  }
}

void Gen::user_name(std::string& s, u32 uid) {
  s.clear();
  if (uid == 1) { s = "Admin"; return; }
  if (uid == 2) { s = "MediaWiki default"; return; }
  u32 i = uid - 3;
  s += kUserName[i % 64];
  if (i >= 64) {
    s += ' ';
    s += kUserName[(i / 64) % 64];
  }
  if (i >= 4096) {
    s += ' ';
    put_u64(s, i / 4096);
  }
}

void Gen::ip_name(std::string& s, u32 ip) {
  s.clear();
  u32 n = ip / 2 + 1;
  char b[64];
  if (ip % 2 == 0)
    std::snprintf(b, sizeof b, "10.%u.%u.%u", (n >> 16) & 255, (n >> 8) & 255, n & 255);
  else
    std::snprintf(b, sizeof b, "2001:DB8:0:0:0:0:%X:%X", (n >> 16) & 0xFFFF, n & 0xFFFF);
  s = b;
}

void Gen::actor_name(std::string& s, u32 aid) const {
  const Actor& a = actors_[aid];
  if (a.user) user_name(s, a.user);
  else ip_name(s, a.ip);
}

PageAttr Gen::page_attr(u32 pid) const {
  PageAttr pa;
  pa.id = pid;
  Rng r(H(gseed_, pid, kSaltPage));
  u32 nsr = r.below(100);
  if (pid == 1) nsr = 0;
  pa.ns = nsr < 80 ? 0 : nsr < 85 ? 1 : nsr < 89 ? 2 : nsr < 91 ? 4 : nsr < 93 ? 6 : nsr < 97 ? 10 : 14;
  title_from_id(pa.title, pid);
  if (pa.ns == 6) pa.title += (r.below(2) ? ".jpg" : ".png");
  u32 redir_pm = cfg_.meta ? 50 : 20;
  pa.redirect = pid > 1 && r.pm(redir_pm);
  pa.target = pa.redirect ? 1 + r.below(pid - 1) : 0;
  // Roughly log-uniform between 3.4 KB and 19 KB (integer interpolation in a
  // table of 3400 * e^(1.72 i / 16), so no floating point is involved).
  static constexpr u32 kSizes[17] = {3400, 3786, 4216, 4694, 5227, 5820, 6480, 7216, 8035, 8947, 9962, 11093, 12351, 13753, 15314, 17052, 18987};
  u32 u = r.below(1u << 16);
  u32 seg = u >> 12, frac = u & 4095;
  pa.base_size = kSizes[seg] + static_cast<u32>((static_cast<u64>(kSizes[seg + 1] - kSizes[seg]) * frac) >> 12);
  pa.crlf = pid == 2 || r.below(40) == 0;
  pa.random12 = r.next() % 1000000000000ULL;
  pa.ncat = cfg_.meta ? 2 + r.below(7) : 1 + r.below(4);
  for (u32 i = 0; i < pa.ncat; ++i) {
    for (;;) {
      u32 c = static_cast<u32>((static_cast<u64>(r.below(ncats_)) * r.below(ncats_)) / ncats_);
      bool dup = false;
      for (u32 j = 0; j < i; ++j) dup |= pa.cats[j] == c;
      if (!dup) { pa.cats[i] = c; break; }
    }
  }
  // Rows of categorylinks come in (cl_from, cl_to) order.
  std::sort(pa.cats, pa.cats + pa.ncat, [&](u32 x, u32 y) { return cat_rank_[x] < cat_rank_[y]; });
  pa.sort_prefix = r.below(100) < 8;
  return pa;
}

void Gen::comment_text(std::string& s, u32 cid) const {
  s.clear();
  if (cid <= 1) return;
  Rng r(H(gseed_, cid, kSaltComment));
  u32 kind = r.below(100);
  if (kind < 30) {
    s += "/* ";
    s += kSections[r.below(count_of(kSections))];
    s += " */ ";
    int n = 1 + r.below(6);
    for (int i = 0; i < n; ++i) {
      if (i) s += ' ';
      word(s, r);
    }
  } else if (kind < 40) {
    static constexpr std::string_view k[] = {"typo", "fix", "ce", "rvv", "+cat", "sp", "links",
                                             "tidy", "update", "expand", "ref"};
    s += k[r.below(count_of(k))];
  } else if (kind < 50) {
    std::string ip, user;
    ip_name(ip, r.below(1000));
    user_name(user, 3 + r.below(200));
    s += "Reverted edits by [[Special:Contributions/";
    s += ip;
    s += "|";
    s += ip;
    s += "]] ([[User talk:";
    s += ip;
    s += "|talk]]) to last version by ";
    s += user;
  } else if (kind < 60) {
    s += "Created page with '";
    int n = 3 + r.below(8);
    for (int i = 0; i < n; ++i) {
      if (i) s += ' ';
      word(s, r);
    }
    s += "'";
  } else if (kind < 68) {
    s += "added \"citation needed\" for ";
    word(s, r);
  } else {
    int n = 2 + r.below(10);
    for (int i = 0; i < n; ++i) {
      if (i) s += ' ';
      word(s, r);
    }
  }
}

// ----------------------------------------------------------------- text ---

void Gen::word(std::string& t, Rng& r) const {
  u32 d = r.below(1000);
  if (d < 930) t += kWords[r.below(count_of(kWords))];
  else if (d < 975) t += kIntl[r.below(count_of(kIntl))];
  else t += kPunct[r.below(count_of(kPunct))];
}

void Gen::title_words(std::string& t, Rng& r, int n) const {
  for (int i = 0; i < n; ++i) {
    if (i) t += ' ';
    t += kTitleTok[r.below(64)];
  }
}

void Gen::sentence(std::string& t, Rng& r, int minw, int maxw) const {
  int n = minw + static_cast<int>(r.below(static_cast<u32>(maxw - minw + 1)));
  size_t start = t.size();
  for (int i = 0; i < n; ++i) {
    if (i) t += (r.below(100) < 6) ? ", " : " ";
    u32 d = r.below(1000);
    if (d < 30) {
      t += "'''"; word(t, r); t += "'''";
    } else if (d < 60) {
      t += "''"; word(t, r); t += "''";
    } else if (d < 105) {
      t += "[["; title_words(t, r, 1 + r.below(3)); t += "]]";
    } else if (d < 125) {
      t += "[["; title_words(t, r, 2); t += '|'; word(t, r); t += "]]";
    } else if (d < 133) {
      t += "{{"; t += kTemplates[r.below(count_of(kTemplates))]; t += "}}";
    } else if (d < 137) {
      t += "<ref>{{cite web|url=https://example.org/";
      put_u64(t, r.below(100000));
      t += "?a=1&b=2|title=";
      title_words(t, r, 2);
      t += "|access-date=2019-05-0";
      put_u64(t, 1 + r.below(9));
      t += "}}</ref>";
    } else {
      word(t, r);
    }
  }
  if (t.size() > start && t[start] >= 'a' && t[start] <= 'z') t[start] = static_cast<char>(t[start] - 32);
  t += '.';
}

void Gen::block(std::string& t, Rng& r, u32 j, const PageAttr& pa) const {
  if (j == 0) {
    // Lead paragraph with the bold title.
    t += "'''";
    for (char c : pa.title) t += (c == '_') ? ' ' : c;
    t += "''' is a ";
    sentence(t, r, 6, 18);
    t += ' ';
    sentence(t, r, 6, 18);
    t += "\n\n";
    return;
  }
  u32 kind = r.below(100);
  if (kind < 12) {
    bool sub = r.below(5) == 0;
    t += sub ? "=== " : "== ";
    if (r.below(2)) t += kSections[r.below(count_of(kSections))];
    else title_words(t, r, 1 + r.below(3));
    t += sub ? " ===\n" : " ==\n";
  } else if (kind < 62) {
    int n = 2 + r.below(6);
    for (int i = 0; i < n; ++i) {
      if (i) t += ' ';
      sentence(t, r, 5, 22);
    }
    t += "\n\n";
  } else if (kind < 80) {
    const char* bullet = kind < 74 ? "* " : "# ";
    int n = 2 + r.below(5);
    for (int i = 0; i < n; ++i) {
      t += bullet;
      if (r.below(4) == 0) t += (kind < 74) ? "* " : "# ";  // nested item
      sentence(t, r, 3, 10);
      t += '\n';
    }
    t += '\n';
  } else if (kind < 84) {
    t += "{{Infobox ";
    t += kWords[r.below(count_of(kWords))];
    t += "\n| name = ";
    title_words(t, r, 2);
    t += "\n| image = ";
    t += kTitleTok[r.below(64)];
    t += ".jpg\n| established = ";
    put_u64(t, 1200 + r.below(800));
    t += "\n| motto = \"";
    sentence(t, r, 2, 5);
    t += "\"\n}}\n";
  } else if (kind < 88) {
    t += "{| class=\"wikitable sortable\"\n|-\n! Name !! Year !! Notes\n";
    int n = 2 + r.below(5);
    for (int i = 0; i < n; ++i) {
      t += "|-\n| ";
      title_words(t, r, 1 + r.below(2));
      t += " || ";
      put_u64(t, 1900 + r.below(120));
      t += " || ";
      sentence(t, r, 2, 6);
      t += '\n';
    }
    t += "|}\n\n";
  } else if (kind < 92) {
    t += "<syntaxhighlight lang=\"c\">\n#include <stdio.h>\nint main(void) {\n\tconst char *s = \"";
    word(t, r);
    t += "\\n\";\n\tif (s[0] == '\\\\') {\n\t\treturn ";
    put_u64(t, r.below(10));
    t += ";\n\t}\n\tprintf(\"%s\", s);\n\treturn 0;\n}\n</syntaxhighlight>\n\n";
  } else if (kind < 95) {
    t += "The formula <math>\\frac{";
    put_u64(t, 1 + r.below(9));
    t += "}{x^2} + \\sqrt{\\alpha_{";
    put_u64(t, r.below(9));
    t += "}}</math> gives ";
    sentence(t, r, 4, 10);
    t += "\n\n";
  } else if (kind < 97) {
    t += "[[File:";
    t += kTitleTok[r.below(64)];
    t += "_view.jpg|thumb|right|";
    sentence(t, r, 3, 8);
    t += "]]\n";
  } else {
    t += "<blockquote>“";
    sentence(t, r, 5, 15);
    t += "” — ";
    t += kUserName[r.below(64)];
    t += "</blockquote>\n\n";
  }
}

void Gen::gen_text(std::string& t, const PageAttr& pa, u32 k, u32 rev) {
  t.clear();
  Rng r(H(gseed_, pa.id, k, kSaltText));
  if (pa.redirect) {
    PageAttr tg = page_attr(pa.target);
    t += "#REDIRECT [[";
    if (tg.ns) { t += ns_name(tg.ns); t += ':'; }
    for (char c : tg.title) t += (c == '_') ? ' ' : c;
    t += "]]";
    if (!cfg_.meta && r.below(2)) t += "\n\n{{R from move}}";
  } else if (cfg_.meta) {
    u32 target = 20 + r.below(70);
    while (t.size() < target) {
      if (!t.empty()) t += ' ';
      u32 d = r.below(100);
      if (d < 8) { t += "[["; title_words(t, r, 1 + r.below(2)); t += "]]"; }
      else if (d < 12) { t += "''"; word(t, r); t += "''"; }
      else word(t, r);
    }
    if (t[0] >= 'a' && t[0] <= 'z') t[0] = static_cast<char>(t[0] - 32);
    t += '.';
    if (r.below(5) == 0) t += "\n{{Stub}}";
  } else {
    // Later revisions grow towards the page's size; each block keeps its
    // content for 4..32 revisions so consecutive revisions share most text.
    u32 grow = std::min<u32>(8, k + 1);
    u64 tgt = static_cast<u64>(pa.base_size) * (60 + 5 * grow) / 100;
    tgt = tgt * (95 + r.below(11)) / 100;
    u64 pseed = H(gseed_, pa.id, kSaltBlock);
    for (u32 j = 0; t.size() < tgt; ++j) {
      u64 bh = H(pseed, j);
      u32 sh = 2 + static_cast<u32>(bh % 4);
      u32 off = static_cast<u32>((bh >> 8) & ((1u << sh) - 1));
      u32 epoch = (k + off) >> sh;
      Rng br(H(pseed, j, epoch, 1));
      block(t, br, j, pa);
    }
    t += "== References ==\n<references />\n\n";
    for (u32 i = 0; i < pa.ncat; ++i) {
      t += "[[Category:";
      for (char c : cat_name(pa.cats[i])) t += (c == '_') ? ' ' : c;
      t += "]]\n";
    }
  }
  if (pa.crlf) {
    tmp_.clear();
    for (char c : t) {
      if (c == '\n') tmp_ += '\r';
      tmp_ += c;
    }
    t.swap(tmp_);
  }
  // Rare control bytes that mysqldump writes as \0 and \Z.
  u64 rh = H(gseed_, rev, kSaltRare);
  bool nul = rev == 5 || rh % 1500 == 0;
  bool ctz = rev == 6 || (rh >> 20) % 1500 == 0;
  for (int pass = 0; pass < 2; ++pass) {
    if (!(pass == 0 ? nul : ctz) || t.empty()) continue;
    size_t pos = static_cast<size_t>((rh >> (pass ? 40 : 8)) % t.size());
    while (pos < t.size() && t[pos] != ' ') ++pos;
    t.insert(pos, 1, pass == 0 ? '\0' : '\x1A');
  }
}

// ----------------------------------------------------------------- rows ---

void Gen::row_actor(std::string& s, u32 aid) const {
  const Actor& a = actors_[aid];
  s = "(";
  put_u64(s, aid);
  s += ',';
  if (a.user) put_u64(s, a.user);
  else s += "NULL";
  s += ',';
  std::string n;
  actor_name(n, aid);
  put_str(s, n);
  s += ')';
}

void Gen::row_user(std::string& s, u32 uid) const {
  const User& u = users_[uid];
  Rng r(H(gseed_, uid, kSaltUser));
  static const char b64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  static const char hex[] = "0123456789abcdef";
  std::string n;
  user_name(n, uid);
  s = "(";
  put_u64(s, uid);
  s += ',';
  put_str(s, n);
  s += ",'',";
  if (uid == 2) {
    s += "'','',NULL,'',";
    put_ts14(s, u.touched);
    s += ",'*** INVALID ***\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0',NULL,NULL,NULL,";
  } else {
    s += "':pbkdf2:sha512:30000:64:";
    for (int i = 0; i < 22; ++i) s += b64[r.below(64)];
    s += "==:";
    for (int i = 0; i < 86; ++i) s += b64[r.below(64)];
    s += "==','',NULL,'',";
    put_ts14(s, u.touched);
    s += ",'";
    for (int i = 0; i < 32; ++i) s += hex[r.below(16)];
    s += "',NULL,NULL,NULL,";
  }
  put_ts14(s, u.reg);
  s += ',';
  put_u64(s, u.edits);
  s += ",NULL)";
}

void Gen::row_comment(std::string& s, u32 cid) {
  comment_text(tmp_, cid);
  u32 c = crc32(tmp_);
  int64_t hash = static_cast<int64_t>(static_cast<int32_t>(c));
  s = "(";
  put_u64(s, cid);
  s += ',';
  put_i64(s, hash);
  s += ',';
  put_str(s, tmp_);
  s += ",NULL)";
}

void Gen::row_page(std::string& s, const PageAttr& pa) const {
  const PageState& ps = pages_[pa.id];
  const Rev& latest = revs_[ps.latest_rev];
  s = "(";
  put_u64(s, pa.id);
  s += ',';
  put_i64(s, pa.ns);
  s += ',';
  put_str(s, pa.title);
  if (cfg_.legacy) s += ",''";
  s += pa.redirect ? ",1," : ",0,";
  s += ps.nrev == 1 ? "1," : "0,";
  if (pa.random12 == 0) {
    s += '0';
  } else {
    char b[24];
    std::snprintf(b, sizeof b, "%012llu", static_cast<unsigned long long>(pa.random12 % 1000000000000ULL));
    int e = 12;
    while (e > 0 && b[e - 1] == '0') --e;
    s += "0.";
    s.append(b, e);
  }
  s += ',';
  put_ts14(s, latest.ts + 30);
  s += ',';
  if (pa.random12 % 10 == 0) s += "NULL";
  else put_ts14(s, latest.ts + 31);
  s += ',';
  put_u64(s, ps.latest_rev);
  s += ',';
  put_u64(s, latest.len);
  s += ",'wikitext',NULL)";
}

void Gen::row_revision(std::string& s, u32 r) {
  const Rev& v = revs_[r];
  s = "(";
  put_u64(s, r);
  s += ',';
  put_u64(s, v.page);
  s += ',';
  if (cfg_.legacy) {
    put_u64(s, r);  // rev_text_id
    s += ',';
    comment_text(tmp_, v.comment);
    put_str(s, tmp_);
    s += ',';
    put_u64(s, actors_[v.actor].user);
    s += ',';
    actor_name(name_, v.actor);
    put_str(s, name_);
  } else {
    put_u64(s, v.comment);
    s += ',';
    put_u64(s, v.actor);
  }
  s += ',';
  put_ts14(s, v.ts);
  s += v.minor ? ",1,0," : ",0,0,";
  put_u64(s, v.len);
  s += ',';
  put_u64(s, v.parent);
  s += ",'";
  s.append(v.sha1, 31);
  s += cfg_.legacy ? "',NULL,NULL)" : "')";
}

void Gen::row_content(std::string& s, u32 r) const {
  const Rev& v = revs_[r];
  s = "(";
  put_u64(s, r);
  s += ',';
  put_u64(s, v.len);
  s += ",'";
  s.append(v.sha1, 31);
  s += "',1,'tt:";
  put_u64(s, r);
  s += "')";
}

void Gen::row_slots(std::string& s, u32 r) const {
  s = "(";
  put_u64(s, r);
  s += ",1,";
  put_u64(s, r);
  s += ',';
  put_u64(s, r);
  s += ')';
}

void Gen::row_cl(std::string& s, const PageAttr& pa, u32 i) const {
  std::string key, prefix;
  const std::string& cn = cat_name(pa.cats[i]);
  if (pa.sort_prefix) {
    size_t us = pa.title.rfind('_');
    prefix = pa.title.substr(us == std::string::npos ? 0 : us + 1);
    key = prefix;
    key += '\n';
  }
  for (char c : pa.title) key += (c == '_') ? ' ' : c;
  for (char& c : key)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  if (key.size() > 230) key.resize(230);
  s = "(";
  put_u64(s, pa.id);
  s += ',';
  put_str(s, cn);
  s += ',';
  put_str(s, key);
  s += ',';
  put_str(s, prefix);
  s += ',';
  put_ts_sql(s, revs_[pages_[pa.id].first_rev].ts + 45);
  s += ",'uppercase',";
  s += pa.ns == 14 ? "'subcat')" : pa.ns == 6 ? "'file')" : "'page')";
}

void Gen::row_redirect(std::string& s, const PageAttr& pa) const {
  PageAttr tg = page_attr(pa.target);
  s = "(";
  put_u64(s, pa.id);
  s += ',';
  put_i64(s, tg.ns);
  s += ',';
  put_str(s, tg.title);
  s += ",'','')";
}

void Gen::row_category(std::string& s, u32 cat_id, u32 c) const {
  const std::string& cn = cat_name(c);
  s = "(";
  put_u64(s, cat_id);
  s += ',';
  put_str(s, cn);
  s += ',';
  put_u64(s, cats_[c].pages);
  s += ',';
  put_u64(s, cats_[c].subcats);
  s += ',';
  put_u64(s, cats_[c].files);
  s += ')';
}

void Gen::row_search(std::string& s, const PageAttr& pa) const {
  std::string t;
  for (char c : pa.title) t += (c == '_') ? ' ' : (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
  s = "(";
  put_u64(s, pa.id);
  s += ',';
  put_str(s, t);
  s += ",'";
  Rng r(H(gseed_, pa.id, kSaltSearch));
  std::string body;
  int n = 10 + r.below(30);
  for (int i = 0; i < n; ++i) {
    if (i) body += ' ';
    word(body, r);
  }
  put_esc(s, body.data(), body.size());
  s += "')";
}

void Gen::row_text(std::string& s, u32 id, const std::string& text) const {
  s = "(";
  put_u64(s, id);
  s += ",'";
  put_esc(s, text.data(), text.size());
  s += "','utf-8')";
}

// --------------------------------------------------------------- planning --

void Gen::plan_initial() {
  revs_.assign(1, Rev{});
  pages_.assign(1, PageState{});
  actors_.assign(1, Actor{});
  users_.assign(1, User{});
  cats_.assign(ncats_, CatCount{});
  // A fresh install: user 1 "Admin", user 2 "MediaWiki default".
  for (u32 uid = 1; uid <= 2; ++uid) {
    actors_.push_back(Actor{uid, 0});
    users_.push_back(User{uid, kBaseTime - 60, kBaseTime - 60, 0});
  }
  ncomments_ = 1;  // comment 1 is the empty summary
  nips_ = 0;
  ncatlinks_ = 0;
  nredirects_ = 0;
}

// Adds revisions; in size mode stops once the estimated dump size (fixed
// part plus the rows every revision brings) reaches the target.
void Gen::plan(u64 fixed_bytes) {
  const u32 p_new_pm = cfg_.meta ? 400 : 250;
  const u32 new_actor_pm = cfg_.meta ? 30 : 50;
  const u64 mean_gap = cfg_.meta ? 150 : 3000;
  u64 est = fixed_bytes;
  u64 last_cost = 0;
  u32 nused_cats = used_categories();
  u64 ts = kBaseTime;
  if (!cfg_.by_size) revs_.reserve(cfg_.revisions + 1);
  else revs_.reserve(cfg_.size / (cfg_.meta ? 400 : 8000) + 16);
  for (u32 r = 1;; ++r) {
    if (!cfg_.by_size) {
      if (r > cfg_.revisions) break;
    } else if (r > 1 && est + last_cost / 2 >= cfg_.size) {
      break;
    }
    if (r == 0xFFFFFFFFu) break;
    Rng rr(H(gseed_, r, kSaltRev));
    if (r > 1 && rr.below(100) >= 6) ts += 1 + rr.below(static_cast<u32>(2 * mean_gap - 1));

    // Page: new, a recently created one or any one.
    u32 pid;
    bool newpage = false;
    if (r == 1 || rr.pm(p_new_pm)) {
      pid = static_cast<u32>(pages_.size());
      pages_.push_back(PageState{r, r, 0});
      newpage = true;
    } else if (rr.below(2)) {
      pid = P() - rr.below(std::min<u32>(P(), 50));
    } else {
      pid = 1 + rr.below(P());
    }

    // Actor: revision 1 by "MediaWiki default", then mostly regulars.
    u64 cost = 0;
    u32 aid;
    if (r == 1) {
      aid = 2;
    } else if (rr.pm(new_actor_pm) || actors_.size() < 4) {
      aid = static_cast<u32>(actors_.size());
      if (rr.below(10) < 7) {
        u32 uid = static_cast<u32>(users_.size());
        actors_.push_back(Actor{uid, 0});
        users_.push_back(User{aid, ts - 600, ts, 0});
        row_user(row_, uid);
        cost += row_.size() + 1;
      } else {
        actors_.push_back(Actor{0, nips_++});
      }
      if (!cfg_.legacy) {
        row_actor(row_, aid);
        cost += row_.size() + 1;
      }
    } else {
      u32 a = static_cast<u32>(actors_.size() - 1);
      aid = 1 + static_cast<u32>((static_cast<u64>(rr.below(a)) * rr.below(a)) / a);
      if (aid == 2) aid = 1;
    }
    if (u32 uid = actors_[aid].user) {
      users_[uid].edits++;
      users_[uid].touched = ts;
    }

    // Comment: new, empty or an existing one.
    u32 cid;
    u32 cr = rr.below(100);
    if (r == 1 || (cr >= 55 && cr < 65)) {
      cid = 1;
    } else if (cr < 55) {
      cid = ++ncomments_;
      if (!cfg_.legacy) {
        row_comment(row_, cid);
        cost += row_.size() + 1;
      }
    } else {
      cid = 1 + rr.below(ncomments_);
    }

    PageState& ps = pages_[pid];
    u32 k = ps.nrev;
    PageAttr pa = page_attr(pid);
    gen_text(text_, pa, k, r);

    Rev v{};
    v.page = pid;
    v.actor = aid;
    v.comment = cid;
    v.parent = newpage ? 0 : ps.latest_rev;
    v.len = static_cast<u32>(text_.size());
    v.minor = (r > 1 && rr.below(100) < 22) ? 1 : 0;
    v.ts = ts;
    u8 digest[20];
    sha1(text_.data(), text_.size(), digest);
    base36_31(digest, v.sha1);
    revs_.push_back(v);
    ps.latest_rev = r;
    ps.nrev++;

    // Bytes this revision adds to the dump.
    row_revision(row_, r);
    cost += row_.size() + 1;
    cost += 1 + digits10(r) + 2 + esc_len(text_.data(), text_.size()) + 10 + 1;  // text row
    if (!cfg_.legacy) {
      row_content(row_, r);
      cost += row_.size() + 1;
      row_slots(row_, r);
      cost += row_.size() + 1;
    }
    if (newpage) {
      row_page(row_, pa);
      cost += row_.size() + 1;
      for (u32 i = 0; i < pa.ncat; ++i) {
        row_cl(row_, pa, i);
        cost += row_.size() + 1;
        CatCount& cc = cats_[pa.cats[i]];
        cc.pages++;
        if (cc.pages == 1) {  // the category gets its row
          row_category(row_, ++nused_cats, pa.cats[i]);
          cost += row_.size() + 1;
        }
        if (pa.ns == 14) cc.subcats++;
        if (pa.ns == 6) cc.files++;
      }
      ncatlinks_ += pa.ncat;
      if (pa.redirect) {
        row_redirect(row_, pa);
        cost += row_.size() + 1;
        nredirects_++;
      }
      if (pid <= 3) {
        row_search(row_, pa);
        cost += row_.size() + 1;
      }
    }
    est += cost;
    last_cost = cost;
  }
}

// --------------------------------------------------------------- emission --

constexpr std::string_view kHeader =
    "-- MySQL dump 10.13  Distrib 8.0.36, for Linux (x86_64)\n"
    "--\n"
    "-- Host: localhost    Database: wikidb\n"
    "-- ------------------------------------------------------\n"
    "-- Server version\t8.0.36\n"
    "\n"
    "/*!40101 SET @OLD_CHARACTER_SET_CLIENT=@@CHARACTER_SET_CLIENT */;\n"
    "/*!40101 SET @OLD_CHARACTER_SET_RESULTS=@@CHARACTER_SET_RESULTS */;\n"
    "/*!40101 SET @OLD_COLLATION_CONNECTION=@@COLLATION_CONNECTION */;\n"
    "/*!50503 SET NAMES utf8mb4 */;\n"
    "/*!40103 SET @OLD_TIME_ZONE=@@TIME_ZONE */;\n"
    "/*!40103 SET TIME_ZONE='+00:00' */;\n"
    "/*!40014 SET @OLD_UNIQUE_CHECKS=@@UNIQUE_CHECKS, UNIQUE_CHECKS=0 */;\n"
    "/*!40014 SET @OLD_FOREIGN_KEY_CHECKS=@@FOREIGN_KEY_CHECKS, FOREIGN_KEY_CHECKS=0 */;\n"
    "/*!40101 SET @OLD_SQL_MODE=@@SQL_MODE, SQL_MODE='NO_AUTO_VALUE_ON_ZERO' */;\n"
    "/*!40111 SET @OLD_SQL_NOTES=@@SQL_NOTES, SQL_NOTES=0 */;\n";

constexpr std::string_view kFooter =
    "/*!40103 SET TIME_ZONE=@OLD_TIME_ZONE */;\n"
    "\n"
    "/*!40101 SET SQL_MODE=@OLD_SQL_MODE */;\n"
    "/*!40014 SET FOREIGN_KEY_CHECKS=@OLD_FOREIGN_KEY_CHECKS */;\n"
    "/*!40014 SET UNIQUE_CHECKS=@OLD_UNIQUE_CHECKS */;\n"
    "/*!40101 SET CHARACTER_SET_CLIENT=@OLD_CHARACTER_SET_CLIENT */;\n"
    "/*!40101 SET CHARACTER_SET_RESULTS=@OLD_CHARACTER_SET_RESULTS */;\n"
    "/*!40101 SET COLLATION_CONNECTION=@OLD_COLLATION_CONNECTION */;\n"
    "/*!40111 SET SQL_NOTES=@OLD_SQL_NOTES */;\n"
    "\n"
    "-- Dump completed on 2024-03-01 12:00:00\n";

// Table definitions as SHOW CREATE TABLE prints them; "@AI@" stands for the
// " AUTO_INCREMENT=N" table option.

constexpr std::string_view kDdlActor = R"(CREATE TABLE `actor` (
  `actor_id` bigint unsigned NOT NULL AUTO_INCREMENT,
  `actor_user` int unsigned DEFAULT NULL,
  `actor_name` varbinary(255) NOT NULL,
  PRIMARY KEY (`actor_id`),
  UNIQUE KEY `actor_name` (`actor_name`),
  UNIQUE KEY `actor_user` (`actor_user`)
) ENGINE=InnoDB@AI@ DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlArchive = R"(CREATE TABLE `archive` (
  `ar_id` int unsigned NOT NULL AUTO_INCREMENT,
  `ar_namespace` int NOT NULL DEFAULT '0',
  `ar_title` varbinary(255) NOT NULL DEFAULT '',
  `ar_comment_id` bigint unsigned NOT NULL,
  `ar_actor` bigint unsigned NOT NULL,
  `ar_timestamp` binary(14) NOT NULL,
  `ar_minor_edit` tinyint NOT NULL DEFAULT '0',
  `ar_rev_id` int unsigned NOT NULL,
  `ar_deleted` tinyint unsigned NOT NULL DEFAULT '0',
  `ar_len` int unsigned DEFAULT NULL,
  `ar_page_id` int unsigned DEFAULT NULL,
  `ar_parent_id` int unsigned DEFAULT NULL,
  `ar_sha1` varbinary(32) NOT NULL DEFAULT '',
  PRIMARY KEY (`ar_id`),
  UNIQUE KEY `ar_revid_uniq` (`ar_rev_id`),
  KEY `ar_name_title_timestamp` (`ar_namespace`,`ar_title`,`ar_timestamp`),
  KEY `ar_actor_timestamp` (`ar_actor`,`ar_timestamp`)
) ENGINE=InnoDB DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlArchiveLegacy = R"(CREATE TABLE `archive` (
  `ar_id` int unsigned NOT NULL AUTO_INCREMENT,
  `ar_namespace` int NOT NULL DEFAULT '0',
  `ar_title` varbinary(255) NOT NULL DEFAULT '',
  `ar_text` mediumblob NOT NULL,
  `ar_comment` varbinary(767) NOT NULL,
  `ar_user` int unsigned NOT NULL DEFAULT '0',
  `ar_user_text` varbinary(255) NOT NULL,
  `ar_timestamp` binary(14) NOT NULL DEFAULT '\0\0\0\0\0\0\0\0\0\0\0\0\0\0',
  `ar_minor_edit` tinyint NOT NULL DEFAULT '0',
  `ar_flags` tinyblob NOT NULL,
  `ar_rev_id` int unsigned DEFAULT NULL,
  `ar_text_id` int unsigned DEFAULT NULL,
  `ar_deleted` tinyint unsigned NOT NULL DEFAULT '0',
  `ar_len` int unsigned DEFAULT NULL,
  `ar_page_id` int unsigned DEFAULT NULL,
  `ar_parent_id` int unsigned DEFAULT NULL,
  `ar_sha1` varbinary(32) NOT NULL DEFAULT '',
  `ar_content_model` varbinary(32) DEFAULT NULL,
  `ar_content_format` varbinary(64) DEFAULT NULL,
  PRIMARY KEY (`ar_id`),
  KEY `name_title_timestamp` (`ar_namespace`,`ar_title`,`ar_timestamp`),
  KEY `ar_usertext_timestamp` (`ar_user_text`,`ar_timestamp`),
  KEY `ar_revid` (`ar_rev_id`)
) ENGINE=InnoDB DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlCategory = R"(CREATE TABLE `category` (
  `cat_id` int unsigned NOT NULL AUTO_INCREMENT,
  `cat_title` varbinary(255) NOT NULL,
  `cat_pages` int NOT NULL DEFAULT '0',
  `cat_subcats` int NOT NULL DEFAULT '0',
  `cat_files` int NOT NULL DEFAULT '0',
  PRIMARY KEY (`cat_id`),
  UNIQUE KEY `cat_title` (`cat_title`),
  KEY `cat_pages` (`cat_pages`)
) ENGINE=InnoDB@AI@ DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlCategorylinks = R"(CREATE TABLE `categorylinks` (
  `cl_from` int unsigned NOT NULL DEFAULT '0',
  `cl_to` varbinary(255) NOT NULL DEFAULT '',
  `cl_sortkey` varbinary(230) NOT NULL DEFAULT '',
  `cl_sortkey_prefix` varbinary(255) NOT NULL DEFAULT '',
  `cl_timestamp` timestamp NOT NULL DEFAULT CURRENT_TIMESTAMP ON UPDATE CURRENT_TIMESTAMP,
  `cl_collation` varbinary(32) NOT NULL DEFAULT '',
  `cl_type` enum('page','subcat','file') NOT NULL DEFAULT 'page',
  PRIMARY KEY (`cl_from`,`cl_to`),
  KEY `cl_sortkey` (`cl_to`,`cl_type`,`cl_sortkey`,`cl_from`),
  KEY `cl_timestamp` (`cl_to`,`cl_timestamp`),
  KEY `cl_collation_ext` (`cl_collation`,`cl_to`,`cl_type`,`cl_from`)
) ENGINE=InnoDB DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlCategorylinksLegacy = R"(CREATE TABLE `categorylinks` (
  `cl_from` int unsigned NOT NULL DEFAULT '0',
  `cl_to` varbinary(255) NOT NULL DEFAULT '',
  `cl_sortkey` varbinary(230) NOT NULL DEFAULT '',
  `cl_sortkey_prefix` varbinary(255) NOT NULL DEFAULT '',
  `cl_timestamp` timestamp NOT NULL DEFAULT CURRENT_TIMESTAMP ON UPDATE CURRENT_TIMESTAMP,
  `cl_collation` varbinary(32) NOT NULL DEFAULT '',
  `cl_type` enum('page','subcat','file') NOT NULL DEFAULT 'page',
  UNIQUE KEY `cl_from` (`cl_from`,`cl_to`),
  KEY `cl_sortkey` (`cl_to`,`cl_type`,`cl_sortkey`,`cl_from`),
  KEY `cl_timestamp` (`cl_to`,`cl_timestamp`),
  KEY `cl_collation_ext` (`cl_collation`,`cl_to`,`cl_type`,`cl_from`)
) ENGINE=InnoDB DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlComment = R"(CREATE TABLE `comment` (
  `comment_id` bigint unsigned NOT NULL AUTO_INCREMENT,
  `comment_hash` int NOT NULL,
  `comment_text` blob NOT NULL,
  `comment_data` blob,
  PRIMARY KEY (`comment_id`),
  KEY `comment_hash` (`comment_hash`)
) ENGINE=InnoDB@AI@ DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlContent = R"(CREATE TABLE `content` (
  `content_id` bigint unsigned NOT NULL AUTO_INCREMENT,
  `content_size` int unsigned NOT NULL,
  `content_sha1` varbinary(32) NOT NULL,
  `content_model` smallint unsigned NOT NULL,
  `content_address` varbinary(255) NOT NULL,
  PRIMARY KEY (`content_id`)
) ENGINE=InnoDB@AI@ DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlContentModels = R"(CREATE TABLE `content_models` (
  `model_id` int NOT NULL AUTO_INCREMENT,
  `model_name` varbinary(64) NOT NULL,
  PRIMARY KEY (`model_id`),
  UNIQUE KEY `model_name` (`model_name`)
) ENGINE=InnoDB@AI@ DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlExternallinks = R"(CREATE TABLE `externallinks` (
  `el_id` int unsigned NOT NULL AUTO_INCREMENT,
  `el_from` int unsigned NOT NULL DEFAULT '0',
  `el_to` blob NOT NULL,
  `el_index` blob NOT NULL,
  `el_index_60` varbinary(60) NOT NULL,
  PRIMARY KEY (`el_id`),
  KEY `el_from` (`el_from`,`el_to`(40)),
  KEY `el_to` (`el_to`(60),`el_from`),
  KEY `el_index` (`el_index`(60)),
  KEY `el_index_60` (`el_index_60`,`el_id`),
  KEY `el_from_index_60` (`el_from`,`el_index_60`,`el_id`)
) ENGINE=InnoDB DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlExternallinksLegacy = R"(CREATE TABLE `externallinks` (
  `el_id` int unsigned NOT NULL AUTO_INCREMENT,
  `el_from` int unsigned NOT NULL DEFAULT '0',
  `el_to` blob NOT NULL,
  `el_index` blob NOT NULL,
  PRIMARY KEY (`el_id`),
  KEY `el_from` (`el_from`,`el_to`(40)),
  KEY `el_to` (`el_to`(60),`el_from`),
  KEY `el_index` (`el_index`(60))
) ENGINE=InnoDB DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlInterwiki = R"(CREATE TABLE `interwiki` (
  `iw_prefix` varbinary(32) NOT NULL,
  `iw_url` blob NOT NULL,
  `iw_api` blob NOT NULL,
  `iw_wikiid` varbinary(64) NOT NULL,
  `iw_local` tinyint(1) NOT NULL,
  `iw_trans` tinyint NOT NULL DEFAULT '0',
  PRIMARY KEY (`iw_prefix`)
) ENGINE=InnoDB DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlLogging = R"(CREATE TABLE `logging` (
  `log_id` int unsigned NOT NULL AUTO_INCREMENT,
  `log_type` varbinary(32) NOT NULL DEFAULT '',
  `log_action` varbinary(32) NOT NULL DEFAULT '',
  `log_timestamp` binary(14) NOT NULL DEFAULT '19700101000000',
  `log_actor` bigint unsigned NOT NULL,
  `log_namespace` int NOT NULL DEFAULT '0',
  `log_title` varbinary(255) NOT NULL DEFAULT '',
  `log_page` int unsigned DEFAULT NULL,
  `log_comment_id` bigint unsigned NOT NULL,
  `log_params` blob NOT NULL,
  `log_deleted` tinyint unsigned NOT NULL DEFAULT '0',
  PRIMARY KEY (`log_id`),
  KEY `log_type_time` (`log_type`,`log_timestamp`),
  KEY `log_actor_time` (`log_actor`,`log_timestamp`),
  KEY `log_page_time` (`log_namespace`,`log_title`,`log_timestamp`),
  KEY `log_times` (`log_timestamp`),
  KEY `log_actor_type_time` (`log_actor`,`log_type`,`log_timestamp`),
  KEY `log_page_id_time` (`log_page`,`log_timestamp`),
  KEY `log_type_action` (`log_type`,`log_action`,`log_timestamp`)
) ENGINE=InnoDB@AI@ DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlLoggingLegacy = R"(CREATE TABLE `logging` (
  `log_id` int unsigned NOT NULL AUTO_INCREMENT,
  `log_type` varbinary(32) NOT NULL DEFAULT '',
  `log_action` varbinary(32) NOT NULL DEFAULT '',
  `log_timestamp` binary(14) NOT NULL DEFAULT '19700101000000',
  `log_user` int unsigned NOT NULL DEFAULT '0',
  `log_user_text` varbinary(255) NOT NULL DEFAULT '',
  `log_namespace` int NOT NULL DEFAULT '0',
  `log_title` varbinary(255) NOT NULL DEFAULT '',
  `log_page` int unsigned DEFAULT NULL,
  `log_comment` varbinary(767) NOT NULL DEFAULT '',
  `log_params` blob NOT NULL,
  `log_deleted` tinyint unsigned NOT NULL DEFAULT '0',
  PRIMARY KEY (`log_id`),
  KEY `type_time` (`log_type`,`log_timestamp`),
  KEY `user_time` (`log_user`,`log_timestamp`),
  KEY `page_time` (`log_namespace`,`log_title`,`log_timestamp`),
  KEY `times` (`log_timestamp`),
  KEY `log_user_type_time` (`log_user`,`log_type`,`log_timestamp`),
  KEY `log_page_id_time` (`log_page`,`log_timestamp`),
  KEY `type_action` (`log_type`,`log_action`,`log_timestamp`),
  KEY `log_user_text_type_time` (`log_user_text`,`log_type`,`log_timestamp`),
  KEY `log_user_text_time` (`log_user_text`,`log_timestamp`)
) ENGINE=InnoDB@AI@ DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlObjectcache = R"(CREATE TABLE `objectcache` (
  `keyname` varbinary(255) NOT NULL DEFAULT '',
  `value` mediumblob,
  `exptime` binary(14) NOT NULL,
  `modtoken` varbinary(17) NOT NULL DEFAULT '00000000000000000',
  `flags` int unsigned DEFAULT NULL,
  PRIMARY KEY (`keyname`),
  KEY `exptime` (`exptime`)
) ENGINE=InnoDB DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlObjectcacheLegacy = R"(CREATE TABLE `objectcache` (
  `keyname` varbinary(255) NOT NULL DEFAULT '',
  `value` mediumblob,
  `exptime` datetime DEFAULT NULL,
  PRIMARY KEY (`keyname`),
  KEY `exptime` (`exptime`)
) ENGINE=InnoDB DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlPage = R"(CREATE TABLE `page` (
  `page_id` int unsigned NOT NULL AUTO_INCREMENT,
  `page_namespace` int NOT NULL,
  `page_title` varbinary(255) NOT NULL,
  `page_is_redirect` tinyint unsigned NOT NULL DEFAULT '0',
  `page_is_new` tinyint unsigned NOT NULL DEFAULT '0',
  `page_random` double unsigned NOT NULL,
  `page_touched` binary(14) NOT NULL,
  `page_links_updated` varbinary(14) DEFAULT NULL,
  `page_latest` int unsigned NOT NULL,
  `page_len` int unsigned NOT NULL,
  `page_content_model` varbinary(32) DEFAULT NULL,
  `page_lang` varbinary(35) DEFAULT NULL,
  PRIMARY KEY (`page_id`),
  UNIQUE KEY `page_name_title` (`page_namespace`,`page_title`),
  KEY `page_random` (`page_random`),
  KEY `page_len` (`page_len`),
  KEY `page_redirect_namespace_len` (`page_is_redirect`,`page_namespace`,`page_len`)
) ENGINE=InnoDB@AI@ DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlPageLegacy = R"(CREATE TABLE `page` (
  `page_id` int unsigned NOT NULL AUTO_INCREMENT,
  `page_namespace` int NOT NULL,
  `page_title` varbinary(255) NOT NULL,
  `page_restrictions` tinyblob NOT NULL,
  `page_is_redirect` tinyint unsigned NOT NULL DEFAULT '0',
  `page_is_new` tinyint unsigned NOT NULL DEFAULT '0',
  `page_random` double unsigned NOT NULL,
  `page_touched` binary(14) NOT NULL DEFAULT '\0\0\0\0\0\0\0\0\0\0\0\0\0\0',
  `page_links_updated` varbinary(14) DEFAULT NULL,
  `page_latest` int unsigned NOT NULL,
  `page_len` int unsigned NOT NULL,
  `page_content_model` varbinary(32) DEFAULT NULL,
  `page_lang` varbinary(35) DEFAULT NULL,
  PRIMARY KEY (`page_id`),
  UNIQUE KEY `name_title` (`page_namespace`,`page_title`),
  KEY `page_random` (`page_random`),
  KEY `page_len` (`page_len`),
  KEY `page_redirect_namespace_len` (`page_is_redirect`,`page_namespace`,`page_len`)
) ENGINE=InnoDB@AI@ DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlPageProps = R"(CREATE TABLE `page_props` (
  `pp_page` int unsigned NOT NULL,
  `pp_propname` varbinary(60) NOT NULL,
  `pp_value` blob NOT NULL,
  `pp_sortkey` float DEFAULT NULL,
  PRIMARY KEY (`pp_page`,`pp_propname`),
  UNIQUE KEY `pp_propname_page` (`pp_propname`,`pp_page`),
  UNIQUE KEY `pp_propname_sortkey_page` (`pp_propname`,`pp_sortkey`,`pp_page`)
) ENGINE=InnoDB DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlPagelinks = R"(CREATE TABLE `pagelinks` (
  `pl_from` int unsigned NOT NULL DEFAULT '0',
  `pl_namespace` int NOT NULL DEFAULT '0',
  `pl_title` varbinary(255) NOT NULL DEFAULT '',
  `pl_from_namespace` int NOT NULL DEFAULT '0',
  PRIMARY KEY (`pl_from`,`pl_namespace`,`pl_title`),
  KEY `pl_namespace` (`pl_namespace`,`pl_title`,`pl_from`),
  KEY `pl_backlinks_namespace` (`pl_from_namespace`,`pl_namespace`,`pl_title`,`pl_from`)
) ENGINE=InnoDB DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlPagelinksLegacy = R"(CREATE TABLE `pagelinks` (
  `pl_from` int unsigned NOT NULL DEFAULT '0',
  `pl_namespace` int NOT NULL DEFAULT '0',
  `pl_title` varbinary(255) NOT NULL DEFAULT '',
  `pl_from_namespace` int NOT NULL DEFAULT '0',
  UNIQUE KEY `pl_from` (`pl_from`,`pl_namespace`,`pl_title`),
  KEY `pl_namespace` (`pl_namespace`,`pl_title`,`pl_from`),
  KEY `pl_backlinks_namespace` (`pl_from_namespace`,`pl_namespace`,`pl_title`,`pl_from`)
) ENGINE=InnoDB DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlRecentchanges = R"(CREATE TABLE `recentchanges` (
  `rc_id` int unsigned NOT NULL AUTO_INCREMENT,
  `rc_timestamp` binary(14) NOT NULL,
  `rc_actor` bigint unsigned NOT NULL,
  `rc_namespace` int NOT NULL DEFAULT '0',
  `rc_title` varbinary(255) NOT NULL DEFAULT '',
  `rc_comment_id` bigint unsigned NOT NULL,
  `rc_minor` tinyint unsigned NOT NULL DEFAULT '0',
  `rc_bot` tinyint unsigned NOT NULL DEFAULT '0',
  `rc_new` tinyint unsigned NOT NULL DEFAULT '0',
  `rc_cur_id` int unsigned NOT NULL DEFAULT '0',
  `rc_this_oldid` int unsigned NOT NULL DEFAULT '0',
  `rc_last_oldid` int unsigned NOT NULL DEFAULT '0',
  `rc_type` tinyint unsigned NOT NULL DEFAULT '0',
  `rc_source` varbinary(16) NOT NULL DEFAULT '',
  `rc_patrolled` tinyint unsigned NOT NULL DEFAULT '0',
  `rc_ip` varbinary(40) NOT NULL DEFAULT '',
  `rc_old_len` int DEFAULT NULL,
  `rc_new_len` int DEFAULT NULL,
  `rc_deleted` tinyint unsigned NOT NULL DEFAULT '0',
  `rc_logid` int unsigned NOT NULL DEFAULT '0',
  `rc_log_type` varbinary(255) DEFAULT NULL,
  `rc_log_action` varbinary(255) DEFAULT NULL,
  `rc_params` blob,
  PRIMARY KEY (`rc_id`),
  KEY `rc_timestamp` (`rc_timestamp`),
  KEY `rc_namespace_title_timestamp` (`rc_namespace`,`rc_title`,`rc_timestamp`),
  KEY `rc_cur_id` (`rc_cur_id`),
  KEY `rc_new_name_timestamp` (`rc_new`,`rc_namespace`,`rc_timestamp`),
  KEY `rc_ip` (`rc_ip`),
  KEY `rc_ns_actor` (`rc_namespace`,`rc_actor`),
  KEY `rc_actor` (`rc_actor`,`rc_timestamp`),
  KEY `rc_name_type_patrolled_timestamp` (`rc_namespace`,`rc_type`,`rc_patrolled`,`rc_timestamp`),
  KEY `rc_this_oldid` (`rc_this_oldid`)
) ENGINE=InnoDB DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlRecentchangesLegacy = R"(CREATE TABLE `recentchanges` (
  `rc_id` int NOT NULL AUTO_INCREMENT,
  `rc_timestamp` varbinary(14) NOT NULL DEFAULT '',
  `rc_user` int unsigned NOT NULL DEFAULT '0',
  `rc_user_text` varbinary(255) NOT NULL,
  `rc_namespace` int NOT NULL DEFAULT '0',
  `rc_title` varbinary(255) NOT NULL DEFAULT '',
  `rc_comment` varbinary(767) NOT NULL DEFAULT '',
  `rc_minor` tinyint unsigned NOT NULL DEFAULT '0',
  `rc_bot` tinyint unsigned NOT NULL DEFAULT '0',
  `rc_new` tinyint unsigned NOT NULL DEFAULT '0',
  `rc_cur_id` int unsigned NOT NULL DEFAULT '0',
  `rc_this_oldid` int unsigned NOT NULL DEFAULT '0',
  `rc_last_oldid` int unsigned NOT NULL DEFAULT '0',
  `rc_type` tinyint unsigned NOT NULL DEFAULT '0',
  `rc_source` varbinary(16) NOT NULL DEFAULT '',
  `rc_patrolled` tinyint unsigned NOT NULL DEFAULT '0',
  `rc_ip` varbinary(40) NOT NULL DEFAULT '',
  `rc_old_len` int DEFAULT NULL,
  `rc_new_len` int DEFAULT NULL,
  `rc_deleted` tinyint unsigned NOT NULL DEFAULT '0',
  `rc_logid` int unsigned NOT NULL DEFAULT '0',
  `rc_log_type` varbinary(255) DEFAULT NULL,
  `rc_log_action` varbinary(255) DEFAULT NULL,
  `rc_params` blob,
  PRIMARY KEY (`rc_id`),
  KEY `rc_timestamp` (`rc_timestamp`),
  KEY `rc_namespace_title` (`rc_namespace`,`rc_title`),
  KEY `rc_cur_id` (`rc_cur_id`),
  KEY `new_name_timestamp` (`rc_new`,`rc_namespace`,`rc_timestamp`),
  KEY `rc_ip` (`rc_ip`),
  KEY `rc_ns_usertext` (`rc_namespace`,`rc_user_text`),
  KEY `rc_user_text` (`rc_user_text`,`rc_timestamp`)
) ENGINE=InnoDB DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlRedirect = R"(CREATE TABLE `redirect` (
  `rd_from` int unsigned NOT NULL DEFAULT '0',
  `rd_namespace` int NOT NULL DEFAULT '0',
  `rd_title` varbinary(255) NOT NULL DEFAULT '',
  `rd_interwiki` varbinary(32) DEFAULT NULL,
  `rd_fragment` varbinary(255) DEFAULT NULL,
  PRIMARY KEY (`rd_from`),
  KEY `rd_ns_title` (`rd_namespace`,`rd_title`,`rd_from`)
) ENGINE=InnoDB DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlRevision = R"(CREATE TABLE `revision` (
  `rev_id` int unsigned NOT NULL AUTO_INCREMENT,
  `rev_page` int unsigned NOT NULL,
  `rev_comment_id` bigint unsigned NOT NULL DEFAULT '0',
  `rev_actor` bigint unsigned NOT NULL DEFAULT '0',
  `rev_timestamp` binary(14) NOT NULL,
  `rev_minor_edit` tinyint unsigned NOT NULL DEFAULT '0',
  `rev_deleted` tinyint unsigned NOT NULL DEFAULT '0',
  `rev_len` int unsigned DEFAULT NULL,
  `rev_parent_id` int unsigned DEFAULT NULL,
  `rev_sha1` varbinary(32) NOT NULL DEFAULT '',
  PRIMARY KEY (`rev_id`),
  KEY `rev_timestamp` (`rev_timestamp`),
  KEY `rev_page_timestamp` (`rev_page`,`rev_timestamp`),
  KEY `rev_actor_timestamp` (`rev_actor`,`rev_timestamp`,`rev_id`),
  KEY `rev_page_actor_timestamp` (`rev_page`,`rev_actor`,`rev_timestamp`)
) ENGINE=InnoDB@AI@ DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlRevisionLegacy = R"(CREATE TABLE `revision` (
  `rev_id` int unsigned NOT NULL AUTO_INCREMENT,
  `rev_page` int unsigned NOT NULL,
  `rev_text_id` int unsigned NOT NULL,
  `rev_comment` varbinary(767) NOT NULL,
  `rev_user` int unsigned NOT NULL DEFAULT '0',
  `rev_user_text` varbinary(255) NOT NULL DEFAULT '',
  `rev_timestamp` binary(14) NOT NULL DEFAULT '\0\0\0\0\0\0\0\0\0\0\0\0\0\0',
  `rev_minor_edit` tinyint unsigned NOT NULL DEFAULT '0',
  `rev_deleted` tinyint unsigned NOT NULL DEFAULT '0',
  `rev_len` int unsigned DEFAULT NULL,
  `rev_parent_id` int unsigned DEFAULT NULL,
  `rev_sha1` varbinary(32) NOT NULL DEFAULT '',
  `rev_content_model` varbinary(32) DEFAULT NULL,
  `rev_content_format` varbinary(64) DEFAULT NULL,
  PRIMARY KEY (`rev_id`),
  UNIQUE KEY `rev_page_id` (`rev_page`,`rev_id`),
  KEY `rev_timestamp` (`rev_timestamp`),
  KEY `page_timestamp` (`rev_page`,`rev_timestamp`),
  KEY `user_timestamp` (`rev_user`,`rev_timestamp`),
  KEY `usertext_timestamp` (`rev_user_text`,`rev_timestamp`),
  KEY `page_user_timestamp` (`rev_page`,`rev_user`,`rev_timestamp`)
) ENGINE=InnoDB@AI@ DEFAULT CHARSET=binary MAX_ROWS=10000000 AVG_ROW_LENGTH=1024;)";

constexpr std::string_view kDdlSearchindex = R"(CREATE TABLE `searchindex` (
  `si_page` int unsigned NOT NULL,
  `si_title` varchar(255) NOT NULL DEFAULT '',
  `si_text` mediumtext NOT NULL,
  UNIQUE KEY `si_page` (`si_page`),
  FULLTEXT KEY `si_title` (`si_title`),
  FULLTEXT KEY `si_text` (`si_text`)
) ENGINE=MyISAM DEFAULT CHARSET=utf8mb3;)";

constexpr std::string_view kDdlSiteStats = R"(CREATE TABLE `site_stats` (
  `ss_row_id` int unsigned NOT NULL,
  `ss_total_edits` bigint unsigned DEFAULT NULL,
  `ss_good_articles` bigint unsigned DEFAULT NULL,
  `ss_total_pages` bigint unsigned DEFAULT NULL,
  `ss_users` bigint unsigned DEFAULT NULL,
  `ss_active_users` bigint unsigned DEFAULT NULL,
  `ss_images` bigint unsigned DEFAULT NULL,
  PRIMARY KEY (`ss_row_id`)
) ENGINE=InnoDB DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlSiteStatsLegacy = R"(CREATE TABLE `site_stats` (
  `ss_row_id` int unsigned NOT NULL,
  `ss_total_views` bigint unsigned DEFAULT '0',
  `ss_total_edits` bigint unsigned DEFAULT '0',
  `ss_good_articles` bigint unsigned DEFAULT '0',
  `ss_total_pages` bigint DEFAULT '-1',
  `ss_users` bigint DEFAULT '-1',
  `ss_active_users` bigint DEFAULT '-1',
  `ss_images` int DEFAULT '0',
  UNIQUE KEY `ss_row_id` (`ss_row_id`)
) ENGINE=InnoDB DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlSlotRoles = R"(CREATE TABLE `slot_roles` (
  `role_id` int NOT NULL AUTO_INCREMENT,
  `role_name` varbinary(64) NOT NULL,
  PRIMARY KEY (`role_id`),
  UNIQUE KEY `role_name` (`role_name`)
) ENGINE=InnoDB@AI@ DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlSlots = R"(CREATE TABLE `slots` (
  `slot_revision_id` bigint unsigned NOT NULL,
  `slot_role_id` smallint unsigned NOT NULL,
  `slot_content_id` bigint unsigned NOT NULL,
  `slot_origin` bigint unsigned NOT NULL,
  PRIMARY KEY (`slot_revision_id`,`slot_role_id`),
  KEY `slot_revision_origin_role` (`slot_revision_id`,`slot_origin`,`slot_role_id`)
) ENGINE=InnoDB DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlTemplatelinks = R"(CREATE TABLE `templatelinks` (
  `tl_from` int unsigned NOT NULL DEFAULT '0',
  `tl_target_id` bigint unsigned NOT NULL,
  `tl_from_namespace` int NOT NULL DEFAULT '0',
  PRIMARY KEY (`tl_from`,`tl_target_id`),
  KEY `tl_target_id` (`tl_target_id`,`tl_from`),
  KEY `tl_backlinks_namespace_target_id` (`tl_from_namespace`,`tl_target_id`,`tl_from`)
) ENGINE=InnoDB DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlTemplatelinksLegacy = R"(CREATE TABLE `templatelinks` (
  `tl_from` int unsigned NOT NULL DEFAULT '0',
  `tl_namespace` int NOT NULL DEFAULT '0',
  `tl_title` varbinary(255) NOT NULL DEFAULT '',
  `tl_from_namespace` int NOT NULL DEFAULT '0',
  UNIQUE KEY `tl_from` (`tl_from`,`tl_namespace`,`tl_title`),
  KEY `tl_namespace` (`tl_namespace`,`tl_title`,`tl_from`),
  KEY `tl_backlinks_namespace` (`tl_from_namespace`,`tl_namespace`,`tl_title`,`tl_from`)
) ENGINE=InnoDB DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlText = R"(CREATE TABLE `text` (
  `old_id` int unsigned NOT NULL AUTO_INCREMENT,
  `old_text` mediumblob NOT NULL,
  `old_flags` tinyblob NOT NULL,
  PRIMARY KEY (`old_id`)
) ENGINE=InnoDB@AI@ DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlTextLegacy = R"(CREATE TABLE `text` (
  `old_id` int unsigned NOT NULL AUTO_INCREMENT,
  `old_text` mediumblob NOT NULL,
  `old_flags` tinyblob NOT NULL,
  PRIMARY KEY (`old_id`)
) ENGINE=InnoDB@AI@ DEFAULT CHARSET=binary MAX_ROWS=10000000 AVG_ROW_LENGTH=10240;)";

constexpr std::string_view kDdlUpdatelog = R"(CREATE TABLE `updatelog` (
  `ul_key` varbinary(255) NOT NULL,
  `ul_value` blob,
  PRIMARY KEY (`ul_key`)
) ENGINE=InnoDB DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlUser = R"(CREATE TABLE `user` (
  `user_id` int unsigned NOT NULL AUTO_INCREMENT,
  `user_name` varbinary(255) NOT NULL DEFAULT '',
  `user_real_name` varbinary(255) NOT NULL DEFAULT '',
  `user_password` tinyblob NOT NULL,
  `user_newpassword` tinyblob NOT NULL,
  `user_newpass_time` binary(14) DEFAULT NULL,
  `user_email` tinyblob NOT NULL,
  `user_touched` binary(14) NOT NULL,
  `user_token` binary(32) NOT NULL DEFAULT '\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0',
  `user_email_authenticated` binary(14) DEFAULT NULL,
  `user_email_token` binary(32) DEFAULT NULL,
  `user_email_token_expires` binary(14) DEFAULT NULL,
  `user_registration` binary(14) DEFAULT NULL,
  `user_editcount` int unsigned DEFAULT NULL,
  `user_password_expires` varbinary(14) DEFAULT NULL,
  PRIMARY KEY (`user_id`),
  UNIQUE KEY `user_name` (`user_name`),
  KEY `user_email_token` (`user_email_token`),
  KEY `user_email` (`user_email`(50))
) ENGINE=InnoDB@AI@ DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlUserGroups = R"(CREATE TABLE `user_groups` (
  `ug_user` int unsigned NOT NULL DEFAULT '0',
  `ug_group` varbinary(255) NOT NULL DEFAULT '',
  `ug_expiry` varbinary(14) DEFAULT NULL,
  PRIMARY KEY (`ug_user`,`ug_group`),
  KEY `ug_group` (`ug_group`),
  KEY `ug_expiry` (`ug_expiry`)
) ENGINE=InnoDB DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlUserGroupsLegacy = R"(CREATE TABLE `user_groups` (
  `ug_user` int unsigned NOT NULL DEFAULT '0',
  `ug_group` varbinary(255) NOT NULL DEFAULT '',
  UNIQUE KEY `ug_user_group` (`ug_user`,`ug_group`),
  KEY `ug_group` (`ug_group`)
) ENGINE=InnoDB DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlWatchlist = R"(CREATE TABLE `watchlist` (
  `wl_id` int unsigned NOT NULL AUTO_INCREMENT,
  `wl_user` int unsigned NOT NULL,
  `wl_namespace` int NOT NULL DEFAULT '0',
  `wl_title` varbinary(255) NOT NULL DEFAULT '',
  `wl_notificationtimestamp` varbinary(14) DEFAULT NULL,
  PRIMARY KEY (`wl_id`),
  UNIQUE KEY `wl_user` (`wl_user`,`wl_namespace`,`wl_title`),
  KEY `wl_namespace_title` (`wl_namespace`,`wl_title`),
  KEY `wl_user_notificationtimestamp` (`wl_user`,`wl_notificationtimestamp`)
) ENGINE=InnoDB DEFAULT CHARSET=binary;)";

constexpr std::string_view kDdlWatchlistLegacy = R"(CREATE TABLE `watchlist` (
  `wl_user` int unsigned NOT NULL,
  `wl_namespace` int NOT NULL DEFAULT '0',
  `wl_title` varbinary(255) NOT NULL DEFAULT '',
  `wl_notificationtimestamp` varbinary(14) DEFAULT NULL,
  UNIQUE KEY `wl_user` (`wl_user`,`wl_namespace`,`wl_title`),
  KEY `namespace_title` (`wl_namespace`,`wl_title`),
  KEY `wl_user_notificationtimestamp` (`wl_user`,`wl_notificationtimestamp`)
) ENGINE=InnoDB DEFAULT CHARSET=binary;)";

void Gen::table(Out& out, std::string_view name, std::string_view ddl, u64 auto_inc,
                void (Gen::*rows)(Inserts&)) {
  ++tables_declared_;
  std::string s;
  s += "\n--\n-- Table structure for table `";
  s += name;
  s += "`\n--\n\nDROP TABLE IF EXISTS `";
  s += name;
  s += "`;\n/*!40101 SET @saved_cs_client     = @@character_set_client */;\n"
       "/*!50503 SET character_set_client = utf8mb4 */;\n";
  size_t at = ddl.find("@AI@");
  if (at == std::string_view::npos) {
    s += ddl;
  } else {
    s += ddl.substr(0, at);
    if (auto_inc > 1) {
      s += " AUTO_INCREMENT=";
      put_u64(s, auto_inc);
    }
    s += ddl.substr(at + 4);
  }
  s += "\n/*!40101 SET character_set_client = @saved_cs_client */;\n\n--\n-- Dumping data for table `";
  s += name;
  s += "`\n--\n\nLOCK TABLES `";
  s += name;
  s += "` WRITE;\n/*!40000 ALTER TABLE `";
  s += name;
  s += "` DISABLE KEYS */;\n";
  out.put(s);
  Inserts w(out, name);
  (this->*rows)(w);
  w.finish();
  s = "/*!40000 ALTER TABLE `";
  s += name;
  s += "` ENABLE KEYS */;\nUNLOCK TABLES;\n";
  out.put(s);
}

void Gen::rows_actor(Inserts& w) {
  for (u32 a = 1; a < actors_.size(); ++a) {
    row_actor(row_, a);
    w.row(row_);
  }
}

void Gen::rows_category(Inserts& w) {
  u32 id = 0;
  for (u32 c = 0; c < ncats_; ++c) {
    if (!cats_[c].pages) continue;
    row_category(row_, ++id, c);
    w.row(row_);
  }
}

void Gen::rows_categorylinks(Inserts& w) {
  for (u32 p = 1; p <= P(); ++p) {
    PageAttr pa = page_attr(p);
    for (u32 i = 0; i < pa.ncat; ++i) {
      row_cl(row_, pa, i);
      w.row(row_);
    }
  }
}

void Gen::rows_comment(Inserts& w) {
  for (u32 c = 1; c <= ncomments_; ++c) {
    row_comment(row_, c);
    w.row(row_);
  }
}

void Gen::rows_content(Inserts& w) {
  for (u32 r = 1; r <= R(); ++r) {
    row_content(row_, r);
    w.row(row_);
  }
}

void Gen::rows_content_models(Inserts& w) {
  row_ = "(1,'wikitext')";
  w.row(row_);
}

void Gen::rows_interwiki(Inserts& w) {
  static constexpr std::string_view rows[] = {
      "('mediawikiwiki','https://www.mediawiki.org/wiki/$1','https://www.mediawiki.org/w/api.php','',0,0)",
      "('wikipedia','https://en.wikipedia.org/wiki/$1','https://en.wikipedia.org/w/api.php','',0,0)",
      "('wikt','https://en.wiktionary.org/wiki/$1','','',0,0)",
  };
  for (auto r : rows) {
    row_ = r;
    w.row(row_);
  }
}

void Gen::rows_logging(Inserts& w) {
  // The account creation of user 1.
  row_ = "(1,'create','create',";
  put_ts14(row_, kBaseTime - 60);
  if (cfg_.legacy) row_ += ",1,'Admin',2,'Admin',0,'',";
  else row_ += ",1,2,'Admin',0,1,";
  row_ += "'a:1:{s:9:\\\"4::userid\\\";i:1;}',0)";
  w.row(row_);
}

void Gen::rows_objectcache(Inserts& w) {
  row_ = "('wikidb:messages:en:status','a:2:{s:4:\\\"text\\\";s:10:\\\"it\\'s\\\\done\\n\\\";s:3:\\\"nul\\\";s:1:\\\"\\0\\\";}',";
  row_ += cfg_.legacy ? "'2038-01-19 03:14:07')" : "'20380119031407','00000000000000000',NULL)";
  w.row(row_);
}

void Gen::rows_page(Inserts& w) {
  for (u32 p = 1; p <= P(); ++p) {
    row_page(row_, page_attr(p));
    w.row(row_);
  }
}

void Gen::rows_redirect(Inserts& w) {
  for (u32 p = 1; p <= P(); ++p) {
    PageAttr pa = page_attr(p);
    if (!pa.redirect) continue;
    row_redirect(row_, pa);
    w.row(row_);
  }
}

void Gen::rows_revision(Inserts& w) {
  for (u32 r = 1; r <= R(); ++r) {
    row_revision(row_, r);
    w.row(row_);
  }
}

void Gen::rows_searchindex(Inserts& w) {
  for (u32 p = 1; p <= std::min<u32>(P(), 3); ++p) {
    row_search(row_, page_attr(p));
    w.row(row_);
  }
}

void Gen::rows_site_stats(Inserts& w) {
  u32 good = 0;
  for (u32 p = 1; p <= P(); ++p) {
    PageAttr pa = page_attr(p);
    good += pa.ns == 0 && !pa.redirect;
  }
  u32 nusers = static_cast<u32>(users_.size() - 1);
  row_ = "(1,";
  if (cfg_.legacy) row_ += "0,";
  put_u64(row_, R());
  row_ += ',';
  put_u64(row_, good);
  row_ += ',';
  put_u64(row_, P());
  row_ += ',';
  put_u64(row_, nusers);
  row_ += ',';
  put_u64(row_, std::min<u32>(nusers, 1 + nusers / 3));
  row_ += ",0)";
  w.row(row_);
}

void Gen::rows_slot_roles(Inserts& w) {
  row_ = "(1,'main')";
  w.row(row_);
}

void Gen::rows_slots(Inserts& w) {
  for (u32 r = 1; r <= R(); ++r) {
    row_slots(row_, r);
    w.row(row_);
  }
}

void Gen::rows_text(Inserts& w) {
  std::vector<u32> k(pages_.size(), 0);
  for (u32 r = 1; r <= R(); ++r) {
    const Rev& v = revs_[r];
    PageAttr pa = page_attr(v.page);
    gen_text(text_, pa, k[v.page]++, r);
    if (text_.size() != v.len) {
      std::fprintf(stderr, "gen_dump: internal error: text of revision %u changed\n", r);
      std::exit(3);
    }
    row_text(row_, r, text_);
    w.row(row_);
  }
}

void Gen::rows_updatelog(Inserts& w) {
  static constexpr std::string_view rows[] = {
      "('filearchive-fa_major_mime-patch-fa_major_mime-chemical.sql',NULL)",
      "('image-img_major_mime-patch-img_major_mime-chemical.sql',NULL)",
      "('oldimage-oi_major_mime-patch-oi_major_mime-chemical.sql',NULL)",
      "('user_former_groups-ufg_group-patch-ufg_group-length-increase-255.sql',NULL)",
  };
  for (auto r : rows) {
    row_ = r;
    w.row(row_);
  }
}

void Gen::rows_user(Inserts& w) {
  for (u32 u = 1; u < users_.size(); ++u) {
    row_user(row_, u);
    w.row(row_);
  }
}

void Gen::rows_user_groups(Inserts& w) {
  static constexpr std::string_view cur[] = {"(1,'bureaucrat',NULL)", "(1,'interface-admin',NULL)",
                                             "(1,'sysop',NULL)"};
  static constexpr std::string_view old[] = {"(1,'bureaucrat')", "(1,'sysop')"};
  if (cfg_.legacy) {
    for (auto r : old) { row_ = r; w.row(row_); }
  } else {
    for (auto r : cur) { row_ = r; w.row(row_); }
  }
}

void Gen::emit(Out& out) {
  tables_declared_ = 0;
  out.put(kHeader);
  const u64 nr = R() + 1, np = P() + 1;
  const u64 nusers = users_.size();
  if (cfg_.legacy) {
    table(out, "archive", kDdlArchiveLegacy, 0, &Gen::rows_none);
    table(out, "category", kDdlCategory, used_categories() + 1, &Gen::rows_category);
    table(out, "categorylinks", kDdlCategorylinksLegacy, 0, &Gen::rows_categorylinks);
    table(out, "externallinks", kDdlExternallinksLegacy, 0, &Gen::rows_none);
    table(out, "interwiki", kDdlInterwiki, 0, &Gen::rows_interwiki);
    table(out, "logging", kDdlLoggingLegacy, 2, &Gen::rows_logging);
    table(out, "objectcache", kDdlObjectcacheLegacy, 0, &Gen::rows_objectcache);
    table(out, "page", kDdlPageLegacy, np, &Gen::rows_page);
    table(out, "page_props", kDdlPageProps, 0, &Gen::rows_none);
    table(out, "pagelinks", kDdlPagelinksLegacy, 0, &Gen::rows_none);
    table(out, "recentchanges", kDdlRecentchangesLegacy, 0, &Gen::rows_none);
    table(out, "redirect", kDdlRedirect, 0, &Gen::rows_redirect);
    table(out, "revision", kDdlRevisionLegacy, nr, &Gen::rows_revision);
    table(out, "searchindex", kDdlSearchindex, 0, &Gen::rows_searchindex);
    table(out, "site_stats", kDdlSiteStatsLegacy, 0, &Gen::rows_site_stats);
    table(out, "templatelinks", kDdlTemplatelinksLegacy, 0, &Gen::rows_none);
    table(out, "text", kDdlTextLegacy, nr, &Gen::rows_text);
    table(out, "updatelog", kDdlUpdatelog, 0, &Gen::rows_updatelog);
    table(out, "user", kDdlUser, nusers, &Gen::rows_user);
    table(out, "user_groups", kDdlUserGroupsLegacy, 0, &Gen::rows_user_groups);
    table(out, "watchlist", kDdlWatchlistLegacy, 0, &Gen::rows_none);
  } else {
    table(out, "actor", kDdlActor, actors_.size(), &Gen::rows_actor);
    table(out, "archive", kDdlArchive, 0, &Gen::rows_none);
    table(out, "category", kDdlCategory, used_categories() + 1, &Gen::rows_category);
    table(out, "categorylinks", kDdlCategorylinks, 0, &Gen::rows_categorylinks);
    table(out, "comment", kDdlComment, ncomments_ + 1, &Gen::rows_comment);
    table(out, "content", kDdlContent, nr, &Gen::rows_content);
    table(out, "content_models", kDdlContentModels, 2, &Gen::rows_content_models);
    table(out, "externallinks", kDdlExternallinks, 0, &Gen::rows_none);
    table(out, "interwiki", kDdlInterwiki, 0, &Gen::rows_interwiki);
    table(out, "logging", kDdlLogging, 2, &Gen::rows_logging);
    table(out, "objectcache", kDdlObjectcache, 0, &Gen::rows_objectcache);
    table(out, "page", kDdlPage, np, &Gen::rows_page);
    table(out, "page_props", kDdlPageProps, 0, &Gen::rows_none);
    table(out, "pagelinks", kDdlPagelinks, 0, &Gen::rows_none);
    table(out, "recentchanges", kDdlRecentchanges, 0, &Gen::rows_none);
    table(out, "redirect", kDdlRedirect, 0, &Gen::rows_redirect);
    table(out, "revision", kDdlRevision, nr, &Gen::rows_revision);
    table(out, "searchindex", kDdlSearchindex, 0, &Gen::rows_searchindex);
    table(out, "site_stats", kDdlSiteStats, 0, &Gen::rows_site_stats);
    table(out, "slot_roles", kDdlSlotRoles, 2, &Gen::rows_slot_roles);
    table(out, "slots", kDdlSlots, 0, &Gen::rows_slots);
    table(out, "templatelinks", kDdlTemplatelinks, 0, &Gen::rows_none);
    table(out, "text", kDdlText, nr, &Gen::rows_text);
    table(out, "updatelog", kDdlUpdatelog, 0, &Gen::rows_updatelog);
    table(out, "user", kDdlUser, nusers, &Gen::rows_user);
    table(out, "user_groups", kDdlUserGroups, 0, &Gen::rows_user_groups);
    table(out, "watchlist", kDdlWatchlist, 0, &Gen::rows_none);
  }
  out.put(kFooter);
  out.flush();
}

void Gen::write_stats(u64 bytes) const {
  FILE* f = std::fopen(cfg_.stats.c_str(), "wb");
  if (!f) {
    std::fprintf(stderr, "gen_dump: cannot write %s: %s\n", cfg_.stats.c_str(), std::strerror(errno));
    std::exit(1);
  }
  u64 r = R();
  std::fprintf(f,
               "{\n"
               " \"schema\": \"%s\",\n"
               " \"mix\": \"%s\",\n"
               " \"seed\": %llu,\n"
               " \"bytes\": %llu,\n"
               " \"tables_declared\": %u,\n"
               " \"counts\": {\n"
               "  \"page\": %u,\n"
               "  \"revision\": %llu,\n"
               "  \"text\": %llu,\n"
               "  \"slots\": %llu,\n"
               "  \"content\": %llu,\n"
               "  \"categorylinks\": %llu,\n"
               "  \"category\": %u,\n"
               "  \"redirect\": %u,\n"
               "  \"comment\": %u,\n"
               "  \"actor\": %u,\n"
               "  \"user\": %u\n"
               " }\n"
               "}\n",
               cfg_.legacy ? "legacy" : "current", cfg_.meta ? "meta" : "text",
               static_cast<unsigned long long>(cfg_.seed), static_cast<unsigned long long>(bytes),
               tables_declared_, P(), static_cast<unsigned long long>(r),
               static_cast<unsigned long long>(r), static_cast<unsigned long long>(cfg_.legacy ? 0 : r),
               static_cast<unsigned long long>(cfg_.legacy ? 0 : r),
               static_cast<unsigned long long>(ncatlinks_), used_categories(), nredirects_,
               cfg_.legacy ? 0u : ncomments_, cfg_.legacy ? 0u : static_cast<u32>(actors_.size() - 1),
               static_cast<u32>(users_.size() - 1));
  std::fclose(f);
}

// ------------------------------------------------------------------ main ---

[[noreturn]] void usage(const char* msg) {
  if (msg) std::fprintf(stderr, "gen_dump: %s\n", msg);
  std::fprintf(msg ? stderr : stdout,
               "usage: gen_dump (--size BYTES[K|M|G] | --revisions N) [--schema current|legacy]\n"
               "                [--mix text|meta] [--seed S] [--out FILE] [--stats FILE]\n"
               "                [--escape-tabs]\n");
  std::exit(msg ? 2 : 0);
}

bool parse_u64(const char* s, u64& v) {
  if (!*s) return false;
  auto r = std::from_chars(s, s + std::strlen(s), v);
  return r.ec == std::errc() && *r.ptr == 0;
}

bool parse_size(const char* s, u64& v) {
  // Digits, optional fraction, optional K/M/G suffix (1024-based).
  u64 ip = 0, frac = 0, fdiv = 1;
  const char* p = s;
  if (!(*p >= '0' && *p <= '9')) return false;
  while (*p >= '0' && *p <= '9') {
    if (ip > (u64(1) << 50)) return false;
    ip = ip * 10 + u64(*p++ - '0');
  }
  if (*p == '.') {
    ++p;
    while (*p >= '0' && *p <= '9') {
      if (fdiv < 1000000000ULL) { frac = frac * 10 + u64(*p - '0'); fdiv *= 10; }
      ++p;
    }
  }
  u64 mul = 1;
  switch (*p) {
    case 'k': case 'K': mul = u64(1) << 10; ++p; break;
    case 'm': case 'M': mul = u64(1) << 20; ++p; break;
    case 'g': case 'G': mul = u64(1) << 30; ++p; break;
    default: break;
  }
  if (*p == 'B' || *p == 'b') ++p;
  if (*p) return false;
  v = ip * mul + frac * mul / fdiv;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Config cfg;
  bool have_size = false, have_revs = false;
  for (int i = 1; i < argc; ++i) {
    std::string_view a = argv[i];
    auto value = [&]() -> const char* {
      if (i + 1 >= argc) usage("missing value after option");
      return argv[++i];
    };
    if (a == "-h" || a == "--help") {
      usage(nullptr);
    } else if (a == "--size") {
      if (!parse_size(value(), cfg.size)) usage("bad --size value");
      have_size = true;
    } else if (a == "--revisions") {
      if (!parse_u64(value(), cfg.revisions) || cfg.revisions > 0xFFFFFFF0ULL) usage("bad --revisions value");
      have_revs = true;
    } else if (a == "--schema") {
      std::string_view v = value();
      if (v == "current") cfg.legacy = false;
      else if (v == "legacy") cfg.legacy = true;
      else usage("--schema must be current or legacy");
    } else if (a == "--mix") {
      std::string_view v = value();
      if (v == "text") cfg.meta = false;
      else if (v == "meta") cfg.meta = true;
      else usage("--mix must be text or meta");
    } else if (a == "--seed") {
      if (!parse_u64(value(), cfg.seed)) usage("bad --seed value");
    } else if (a == "--out") {
      cfg.out = value();
    } else if (a == "--stats") {
      cfg.stats = value();
    } else if (a == "--escape-tabs") {
      cfg.esc_tabs = true;
    } else {
      usage("unknown argument");
    }
  }
  if (have_size == have_revs) usage("give exactly one of --size and --revisions");
  cfg.by_size = have_size;

  crc_init();
  esc_init(cfg.esc_tabs);

  Gen gen(cfg);
  gen.plan_initial();
  u64 fixed = 0;
  if (cfg.by_size) {
    // Size of everything that does not grow with the revisions.
    Out counter(nullptr, true);
    gen.emit(counter);
    fixed = counter.bytes();
  }
  gen.plan(fixed);

  FILE* f = stdout;
  if (!cfg.out.empty()) {
    f = std::fopen(cfg.out.c_str(), "wb");
    if (!f) {
      std::fprintf(stderr, "gen_dump: cannot open %s: %s\n", cfg.out.c_str(), std::strerror(errno));
      return 1;
    }
  }
  Out out(f, false);
  gen.emit(out);
  if (std::fflush(f) != 0 || (f != stdout && std::fclose(f) != 0)) {
    std::fprintf(stderr, "gen_dump: write failed: %s\n", std::strerror(errno));
    return 1;
  }
  if (!cfg.stats.empty()) gen.write_stats(out.bytes());
  return 0;
}
