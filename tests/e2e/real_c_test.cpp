// The installed morvastart on real C: sources that include the headers of C
// libraries installed from Debian packages, and C99 declarations as real
// code writes them. Each run must end with status 0 and no message (the
// headers take their strict paths without a complaint), the script must
// carry the declarations written out by hand below, and its native lines
// must pass gcc -fsyntax-only.
//
// The runs use the host target, which describes the compiler of the build.
#include <cstdlib>

#include "scratch_test.h"

namespace {

// A name declared both as a struct tag and as a typedef of it ("typedef
// struct sqlite3 sqlite3;") is read as the tag first, so declarations that
// use it print "struct sqlite3". An opaque struct's pointer parameter stays
// a pointer in the service.
struct real_case {
    const char* name;
    const char* header;   // the case is skipped when gcc cannot include it
    const char* include;  // extra include directory, or ""
    const char* source;
    std::vector<std::string> expected;  // script lines, by hand
};

struct real_library : scratch_test, testing::WithParamInterface<real_case> {};

TEST_P(real_library, headers_analyse_cleanly_and_native_lines_compile)
{
    const real_case& c = GetParam();
    const std::string flags = *c.include ? std::string("-I") + c.include : std::string();
    if (std::system(("printf '#include <%s>\\n' '" + std::string(c.header) + "' | gcc -E -x c " + flags +
                     " - > /dev/null 2>&1").c_str()) != 0)
        GTEST_SKIP() << c.header << " is not installed";
    std::vector<std::string> options;
    if (*c.include)
        options.push_back(std::string("-INCL=") + c.include);
    const std::string text =
        generate(c.name + std::string(".c"), c.source, options, {{"ZRLTGT", stage_dir() + "/targets/host"}});
    for (const std::string& line : c.expected)
        EXPECT_TRUE(holds(text, "\n" + line + "\n"));
    expect_compiles(text, false, flags);
}

const real_case libraries[] = {
    {"zlib", "zlib.h", "",
     "#include <zlib.h>\nz_stream stream;\n"
     "int pack(z_stream *s, const Bytef *in, uLong n) { s->next_in = (Bytef *)in; s->avail_in = n; "
     "return deflate(s, Z_FINISH); }\n",
     {"##include <zlib.h>", "    #extern z_stream stream;", "    #extern int pack(z_stream *s, const Bytef *in, uLong n);"}},
    {"expat", "expat.h", "",
     "#include <expat.h>\nXML_Parser parser;\n"
     "enum XML_Status feed(XML_Parser p, const char *text, int len) { return XML_Parse(p, text, len, 1); }\n",
     {"##include <expat.h>", "    #extern XML_Parser parser;",
      "    #extern enum XML_Status feed(XML_Parser p, const char *text, int len);"}},
    {"lmdb", "lmdb.h", "",
     "#include <lmdb.h>\nMDB_env *environment;\n"
     "int fetch(MDB_txn *txn, MDB_dbi dbi, MDB_val *key, MDB_val *data) { return mdb_get(txn, dbi, key, data); }\n",
     {"##include <lmdb.h>", "    #extern struct MDB_env *environment;",
      "    #extern int fetch(struct MDB_txn *txn, MDB_dbi dbi, struct MDB_val *key, struct MDB_val *data);"}},
    {"png", "png.h", "",
     "#include <png.h>\npng_uint_32 rows;\n"
     "int width_of(png_const_structrp p, png_const_inforp i) { return (int)png_get_image_width(p, i); }\n",
     {"##include <png.h>", "    #extern png_uint_32 rows;",
      "    #extern int width_of(png_const_structrp p, png_const_inforp i);"}},
    {"curl", "curl/curl.h", "",
     "#include <curl/curl.h>\nCURL *handle;\n"
     "CURLcode fetch_url(CURL *h, const char *url) { curl_easy_setopt(h, CURLOPT_URL, url); "
     "return curl_easy_perform(h); }\n",
     {"##include <curl/curl.h>", "    #extern CURL *handle;", "    #extern CURLcode fetch_url(CURL *h, const char *url);"}},
    {"xml2", "libxml/parser.h", "/usr/include/libxml2",
     "#include <libxml/parser.h>\n#include <libxml/tree.h>\nxmlDocPtr document;\n"
     "xmlNodePtr root_of(xmlDocPtr d) { return xmlDocGetRootElement(d); }\n",
     {"##include <libxml/parser.h>", "##include <libxml/tree.h>", "    #extern xmlDocPtr document;",
      "    #extern xmlNodePtr root_of(xmlDocPtr d);"}},
    {"uv", "uv.h", "",
     "#include <uv.h>\nuv_loop_t loop;\n"
     "int run_once(uv_loop_t *l) { return uv_run(l, UV_RUN_ONCE); }\n",
     {"##include <uv.h>", "    #extern uv_loop_t loop;", "    #extern int run_once(uv_loop_t *l);"}},
    {"sqlite", "sqlite3.h", "",
     "#include <sqlite3.h>\nsqlite3 *database;\n"
     "sqlite3_int64 last_row(sqlite3 *db) { return sqlite3_last_insert_rowid(db); }\n",
     {"##include <sqlite3.h>", "    #extern struct sqlite3 *database;", "    #extern sqlite3_int64 last_row(struct sqlite3 *db);"}},
    {"jansson", "jansson.h", "",
     "#include <jansson.h>\njson_t *document;\n"
     "json_int_t count_of(const json_t *array) { return (json_int_t)json_array_size(array); }\n",
     {"##include <jansson.h>", "    #extern struct json_t *document;", "    #extern json_int_t count_of(const struct json_t *array);"}},
    {"yaml", "yaml.h", "",
     "#include <yaml.h>\nyaml_parser_t parser;\n"
     "int next_event(yaml_parser_t *p, yaml_event_t *e) { return yaml_parser_parse(p, e); }\n",
     {"##include <yaml.h>", "    #extern yaml_parser_t parser;",
      "    #extern int next_event(yaml_parser_t *p, yaml_event_t *e);"}},
    // C99 as real code writes it, with the system headers. The printed lines
    // follow the rules by hand: _Bool and restrict kept, the brackets of a
    // parameter without "static", an unsized array as long as its highest
    // designated index plus one, a flexible member without bound.
    {"c99", "stdbool.h", "",
     "#include <stdbool.h>\n#include <stddef.h>\n#include <string.h>\nstruct buf { size_t len; char data[]; };\n"
     "struct point { int x, y; };\nbool ready = true;\nunsigned long long mask = 0xffULL << 8;\n"
     "struct point origin = { .y = 2, .x = 1 };\nint table[] = { [3] = 7, 8, [0] = 1 };\n"
     "struct point *corner = &(struct point){ 3, 4 };\n_Static_assert(sizeof(int) == 4, \"int\");\n"
     "static inline int twice(int v) { return 2 * v; }\n"
     "size_t copy(char *restrict dst, const char *restrict src, size_t n) { memcpy(dst, src, n); return n; }\n"
     "int sum(int n, const int v[static 4]) { return n + v[0]; }\n",
     {"##include <stdbool.h>", "    #\tchar data[];", "    #extern _Bool ready;", "    #extern unsigned long long mask;",
      "    #extern struct point origin;", "    #extern int table[5];", "    #extern struct point *corner;",
      "    #extern size_t copy(char *restrict dst, const char *restrict src, size_t n);",
      "    #extern int sum(int n, const int v[4]);"}},
    // Regression: an input that once gave SYNTAXERR.
    {"long_long_constant_in_an_initialiser", "stdio.h", "",
     "#include <stdio.h>\nlong long big = 1LL;\nlong long small = -5ll;\n",
     {"    #extern long long big;", "    #extern long long small;"}},
};

INSTANTIATE_TEST_SUITE_P(packages, real_library, ::testing::ValuesIn(libraries),
                         [](const ::testing::TestParamInfo<real_case>& info) { return std::string(info.param.name); });

} // namespace
