// Choosing a language, and compiled catalogues as msgfmt writes them, in
// both byte orders, and as a damaged or hostile file leaves them.
#include "io/languages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "io/message_catalogue.h"
#include "support/harness.h"

namespace velloxa::testing {
namespace {

const char* const kRussian = R"(msgid ""
msgstr ""
"Content-Type: text/plain; charset=UTF-8\n"
"Plural-Forms: nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);\n"

msgid "Main menu."
msgstr "Главное меню."

msgid "{count} tile"
msgid_plural "{count} tiles"
msgstr[0] "{count} плитка"
msgstr[1] "{count} плитки"
msgstr[2] "{count} плиток"

#, fuzzy
msgid "Exit"
msgstr "Выход"

msgid "Untranslated"
msgstr ""
)";

// The catalogue msgfmt makes of `po`, in the byte order given.
std::string compiled(const std::string& po, const char* endianness = "little") {
    TempDir dir;
    dir.write("in.po", po);
    const std::string command = "msgfmt --endianness=" + std::string(endianness) + " -o " +
                                dir.path() + "/out.mo " + dir.path() + "/in.po";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return dir.read("out.mo");
}

TEST(MessageCatalogue, ReadsWhatMsgfmtWritesInEitherByteOrder) {
#ifdef _WIN32
    GTEST_SKIP()
        << "msgfmt runs on the build machine; the headless games under Wine read its catalogues";
#endif
    for (const char* order : {"little", "big"}) {
        SCOPED_TRACE(order);
        const auto catalogue = MessageCatalogue::parse(compiled(kRussian, order));
        ASSERT_TRUE(catalogue);
        ASSERT_NE(catalogue->find("Main menu."), nullptr);
        EXPECT_EQ(*catalogue->find("Main menu."), "Главное меню.");
        // Fuzzy and empty translations are not translations.
        EXPECT_EQ(catalogue->find("Exit"), nullptr);
        EXPECT_EQ(catalogue->find("Untranslated"), nullptr);
        EXPECT_EQ(catalogue->find("Not there"), nullptr);
        for (const auto& [n, form] : {std::pair<uint64_t, const char*>{1, "плитка"},
                                      {2, "плитки"},
                                      {5, "плиток"},
                                      {11, "плиток"},
                                      {21, "плитка"},
                                      {22, "плитки"},
                                      {112, "плиток"},
                                      {0, "плиток"}}) {
            const std::string* text = catalogue->find_plural("{count} tile", n);
            ASSERT_NE(text, nullptr) << n;
            EXPECT_EQ(*text, "{count} " + std::string(form)) << n;
        }
    }
}

TEST(MessageCatalogue, PluralRulesOfTheShippedKinds) {
    struct Case {
        const char* header;
        std::vector<size_t> forms;  // for n = 0, 1, 2, 5, 21
    };
    const Case cases[] = {
        {"nplurals=2; plural=(n != 1);", {1, 0, 1, 1, 1}},
        {"nplurals=2; plural=(n > 1);", {0, 0, 1, 1, 1}},
        {"nplurals=1; plural=0;", {0, 0, 0, 0, 0}},
        // A form past the count, and what cannot be read, fall back.
        {"nplurals=2; plural=n+5;", {0, 0, 0, 0, 0}},
        {"nplurals=2; plural=n/0 + n%0;", {0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        const auto rule = PluralRule::parse(c.header);
        ASSERT_TRUE(rule) << c.header;
        std::vector<size_t> forms;
        for (uint64_t n : {0, 1, 2, 5, 21}) forms.push_back(rule->form(n));
        EXPECT_EQ(forms, c.forms) << c.header;
    }
    for (const char* broken : {"nplurals=2; plural=(n != 1;", "plural=n;", "nplurals=2; plural=x;",
                               "nplurals=0; plural=0;", "nplurals=2; plural=n ? 1;"})
        EXPECT_FALSE(PluralRule::parse(broken)) << broken;
    std::string deep = "nplurals=2; plural=";
    for (int i = 0; i < 10000; ++i) deep += "(";
    EXPECT_FALSE(PluralRule::parse(deep));
}

TEST(MessageCatalogue, PlaceholdersAreFilledByNameOnce) {
    EXPECT_EQ(fill_placeholders("{tile} takes {other} at {x}, {y}.",
                                {{"x", "2"}, {"y", "3"}, {"tile", "{x}"}, {"other", "Moth"}}),
              "{x} takes Moth at 2, 3.");
    EXPECT_EQ(fill_placeholders("{unknown} {x", {{"x", "1"}}), "{unknown} {x");
    EXPECT_EQ(fill_placeholders("", {}), "");
}

TEST(Languages, RequestedCodesFindTheShippedCatalogue) {
    const std::pair<const char*, const char*> cases[] = {
        {"de", "de"},
        {"de_AT.UTF-8", "de"},
        {"pt-BR", "pt_BR"},
        {"pt_PT", "pt_BR"},
        {"PT_br", "pt_BR"},
        {"zh", "zh_CN"},
        {"zh-Hans", "zh_CN"},
        {"zh_TW", ""},
        {"cmn", "zh_CN"},
        {"en_GB", "en"},
        {"C", "en"},
        {"POSIX", "en"},
        {"C.UTF-8", "en"},
        {"xx", ""},
        {"", ""},
        {"../../etc", ""},
    };
    for (const auto& [requested, found] : cases) {
        const GameLanguage* language = find_language(requested);
        EXPECT_EQ(language == nullptr ? "" : language->code, std::string_view(found)) << requested;
    }
    struct Environment {
        std::vector<std::pair<const char*, const char*>> set;
        std::string expected;
    };
    const Environment environments[] = {
        {{{"LANG", "ru_RU.UTF-8"}}, "ru_RU.UTF-8"},
        {{{"LANG", "ru_RU.UTF-8"}, {"LC_MESSAGES", "fr_FR"}}, "fr_FR"},
        {{{"LC_ALL", "es_ES"}, {"LC_MESSAGES", "fr_FR"}}, "es_ES"},
        {{{"LANG", "de_DE"}, {"LANGUAGE", "xx:pt_BR:fr"}}, "pt_BR"},
        {{{"LANG", "C"}, {"LANGUAGE", "fr"}}, "C"},
        {{}, ""},
    };
    for (const Environment& e : environments) {
        const std::string chosen = system_language([&e](const char* name) -> std::string_view {
            for (const auto& [variable, value] : e.set)
                if (std::string_view(variable) == name) return value;
            return {};
        });
        EXPECT_EQ(chosen, e.expected);
    }
}

// Every cut of a real catalogue, and words overwritten with large values,
// read as no catalogue or a smaller one, never out of bounds.
TEST(MessageCatalogue, DamagedFilesAreRefusedWhole) {
#ifdef _WIN32
    GTEST_SKIP()
        << "msgfmt runs on the build machine; the headless games under Wine read its catalogues";
#endif
    const std::string mo = compiled(kRussian);
    for (size_t cut = 0; cut < mo.size(); ++cut)
        EXPECT_FALSE(MessageCatalogue::parse(mo.substr(0, cut))) << cut;
    for (size_t at : {8, 12, 16}) {  // the count and the two tables
        std::string hostile = mo;
        hostile.replace(at, 4, "\xff\xff\xff\x7f");
        EXPECT_FALSE(MessageCatalogue::parse(hostile)) << at;
    }
    EXPECT_FALSE(MessageCatalogue::parse("not a catalogue at all"));
}

}  // namespace
}  // namespace velloxa::testing
