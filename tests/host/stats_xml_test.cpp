// The statistics file's own writer and its fast reader: what is written reads back as it was,
// the layouts of earlier versions read, and whatever the fast path accepts, libxml2 reads the
// same way (a differential test over generated and randomly damaged files).

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <random>

#include "stats/statistics_file.h"
#include "stats/statistics_store.h"
#include "stats/statistics_xml.h"
#include "tests/host/support/memory_storage.h"

namespace orv {
namespace {

using Attributes = std::vector<std::pair<std::string, std::string>>;
using Records = std::vector<Attributes>;

// What the fast path reads, with the names of every attribute; with acceptCut also what it
// reads of a file whose only fault is its missing end.
std::optional<Records> FastRead(std::string_view bytes, std::size_t* rootEnd = nullptr,
                                bool acceptCut = false) {
    RecordStore store;
    const LayoutRead read = ReadStatisticsLayout(bytes, store);
    if (!read.accepted && !(acceptCut && read.endMissing)) {
        return std::nullopt;
    }
    if (rootEnd) {
        *rootEnd = read.rootEnd;
    }
    std::string lines;
    store.AppendLines(0, lines);
    // The lines are this program's own layout: split them back with the reader itself.
    struct Collect final : RecordReader {
        void ExpectRecords(std::size_t, std::size_t) override {}
        void BeginRecord() override { records.emplace_back(); }
        void Attribute(std::size_t, std::string_view text) override {
            records.back().emplace_back("", std::string(text));
        }
        Records records;
    } collect;
    store.Read(collect);
    // The names, from the lines written, which keep them (values there never hold a quote).
    std::size_t at = 0;
    for (Attributes& record : collect.records) {
        at = lines.find("<connection", at) + 11;
        for (auto& [name, text] : record) {
            while (lines[at] == ' ') {
                ++at;
            }
            const std::size_t equals = lines.find('=', at);
            name = lines.substr(at, equals - at);
            at = lines.find('"', equals + 2) + 1;
        }
    }
    return collect.records;
}

// An element's attributes as MSXML lists them: its namespace declarations, then its
// attributes, each by its qualified name.
Attributes AttributesOf(xmlDocPtr document, const xmlNode* node) {
    Attributes attributes;
    for (const xmlNs* ns = node->nsDef; ns; ns = ns->next) {
        const std::string prefix = ns->prefix ? reinterpret_cast<const char*>(ns->prefix) : "";
        // libxml2 keeps an ampersand of a declaration's value as "&#38;"; MSXML gives "&".
        std::string href = reinterpret_cast<const char*>(ns->href);
        for (std::size_t at; (at = href.find("&#38;")) != std::string::npos;) {
            href.replace(at, 5, "&");
        }
        attributes.emplace_back(prefix.empty() ? "xmlns" : "xmlns:" + prefix, href);
    }
    for (const xmlAttr* attribute = node->properties; attribute; attribute = attribute->next) {
        std::string name = reinterpret_cast<const char*>(attribute->name);
        if (attribute->ns && attribute->ns->prefix) {
            name = reinterpret_cast<const char*>(attribute->ns->prefix) + (":" + name);
        }
        xmlChar* value = xmlNodeListGetString(document, attribute->children, 1);
        attributes.emplace_back(name, value ? reinterpret_cast<const char*>(value) : "");
        xmlFree(value);
    }
    return attributes;
}

// What libxml2 reads: the root's child elements and their attributes (and the root's own in
// `root`); nothing when it finds the file malformed, namespaces included, as MSXML does.
std::optional<Records> LibXmlRead(std::string_view bytes, Attributes* root = nullptr) {
    xmlParserCtxtPtr context = xmlNewParserCtxt();
    xmlDocPtr document =
        xmlCtxtReadMemory(context, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr,
                          XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    const bool wellFormed = document && context->wellFormed && context->nsWellFormed;
    xmlFreeParserCtxt(context);
    if (!wellFormed) {
        xmlFreeDoc(document);
        return std::nullopt;
    }
    Records records;
    const xmlNode* top = xmlDocGetRootElement(document);
    if (root && top) {
        *root = AttributesOf(document, top);
    }
    for (const xmlNode* node = top ? top->children : nullptr; node; node = node->next) {
        if (node->type == XML_ELEMENT_NODE) {
            records.push_back(AttributesOf(document, node));
        }
    }
    xmlFreeDoc(document);
    return records;
}

std::string WrittenFile(const Records& records) {
    std::string file(kStatisticsHead);
    for (const Attributes& record : records) {
        std::vector<NamedText> attributes;
        for (const auto& [name, text] : record) {
            attributes.push_back({name, text});
        }
        AppendRecordLine(attributes, file);
    }
    return file + std::string(kStatisticsTail);
}

Attributes Session(std::string name, std::string user = "anna") {
    Attributes record;
    const std::string texts[] = {std::move(name),
                                 std::move(user),
                                 "3723000",
                                 "115200",
                                 "1536",
                                 "3000000000",
                                 "10.0.0.1",
                                 "10.0.0.2",
                                 "12/8/2026 6:00:00 PM",
                                 "12/8/2026 7:02:03 PM",
                                 "1,50"};
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        record.emplace_back(kRecordAttributeNames[i], texts[i]);
    }
    return record;
}

TEST(StatisticsWriter, EscapesMarkupAndLineBreaksKeepsOrderAndEndsWithCrLf) {
    std::string line;
    const NamedText attributes[] = {
        {"name", "Дом & <Работа> \"1\""}, {"user", "a\tb\r\nc"}, {"duration", "x\x01y\xC3z\xFF"}};
    AppendRecordLine(attributes, line);
    EXPECT_EQ(line,
              "<connection name=\"Дом &amp; &lt;Работа&gt; &quot;1&quot;\" "
              "user=\"a&#9;b&#13;&#10;c\" "
              "duration=\"x\xEF\xBF\xBDy\xEF\xBF\xBDz\xEF\xBF\xBD\"/>\r\n");
}

TEST(StatisticsWriter, WhatIsWrittenReadsBackTheSameThroughBothReaders) {
    Records records = {Session("Домашний"), Session("Work & <Play> \"x\" 'y'", "a\tb\r\nc d"),
                       Session("")};
    // A record edited by hand: a name of its own and more than eleven attributes.
    Attributes odd = Session("Odd");
    odd[3].first = "speed";
    odd.emplace_back("extra", "12");
    records.push_back(odd);
    records.push_back({});
    const std::string file = WrittenFile(records);

    std::size_t rootEnd = 0;
    EXPECT_EQ(FastRead(file, &rootEnd), records);
    EXPECT_EQ(file.substr(rootEnd), kStatisticsTail);
    EXPECT_EQ(LibXmlRead(file), records);
    EXPECT_EQ(FastRead(kEmptyStatisticsFile), Records{});
}

TEST(StatisticsLayoutReader, ReadsTheOneLineLayoutWhitespaceCommentsAndReferences) {
    const std::string oneLine =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- Generated -->\r\n<all>"
        "<connection name=\"A&amp;B\" user='&#1044;&#x434;' duration=\"1\r\n2\t3\"/>"
        "<connection/></all>\r\n";
    const Records expected = {{{"name", "A&B"}, {"user", "Дд"}, {"duration", "1 2 3"}}, {}};
    EXPECT_EQ(FastRead(oneLine), expected);
    EXPECT_EQ(LibXmlRead(oneLine), expected);

    const std::string spaced =
        "\xEF\xBB\xBF<all >\n\t<connection  name = \"A&amp;B\"\n user='&#1044;&#x434;'"
        " duration=\"1\r\n2\t3\" />\r\n<!-- between -->\t\t<connection/>\n</all\n> <!-- after -->";
    EXPECT_EQ(FastRead(spaced), expected);
    EXPECT_EQ(LibXmlRead(spaced), expected);
}

TEST(StatisticsLayoutReader, LeavesEverythingElseToTheCompleteReader) {
    for (const char* file : {
             "<all><connection name=\"A\"",                     // cut short
             "<all><connection name=\"A\" name=\"B\"/></all>",  // an attribute twice
             "<all><connection name=\"&nbsp;\"/></all>",        // an undefined entity
             "<all><connection name=\"&#1;\"/></all>",          // not an XML character
             "<all><connection name=\"\xC3\x28\"/></all>",      // not UTF-8
             "<all><connection name=\"<\"/></all>",
             "<all><connection xmlns=\"urn:x\"/></all>",  // namespaces
             "<all><connection a:b=\"1\"/></all>",
             "<all><connection></connection></all>",  // not empty
             "<all>text<connection/></all>",
             "<all/>",
             "<!DOCTYPE all><all></all>",
             "<?xml version=\"1.1\"?><all></all>",
             "<?xml version=\"1.0\" encoding=\"windows-1251\"?><all></all>",
             "<?pi?><all></all>",
             "<all><!-- a -- b --></all>",
             "<all></all><all></all>",
             "<all></all>x",
             "<root></root>",
         }) {
        EXPECT_FALSE(FastRead(file).has_value()) << file;
    }
}

// Whatever the fast path accepts, libxml2 must read as well-formed and to the same records:
// checked over generated files and thousands of randomly damaged copies of them.
TEST(StatisticsLayoutReader, AgreesWithLibXml2OnEveryFileItAccepts) {
    std::mt19937 random(20261209);
    const std::string pieces[] = {
        "<",           ">",     "/>",   "&",        "&amp;",        "&#10;", "&#x0;",
        "\"",          "'",     " ",    "\r",       "\n",           "\t",    "=",
        "<!--",        "-->",   "\xD0", "\xD0\x94", "\xEF\xBF\xBF", "xmlns", "</all>",
        "<connection", "<all>", "]]>",  "\x01"};
    const std::string cut = WrittenFile({Session("Дом"), Session("B")});
    const std::string bases[] = {
        WrittenFile({Session("Дом"), Session("A & B <\"c\">", "x\ty")}),
        cut.substr(0, cut.size() - kStatisticsTail.size()),
        "<?xml version='1.0' encoding='utf-8' standalone='yes'?><!--c--><all><connection "
        "name=\"a\" user=\"&#x44F;\"/><connection/></all><!--d-->\n",
        std::string(kEmptyStatisticsFile),
    };
    std::size_t accepted = 0;
    std::size_t cutShort = 0;
    std::size_t tried = 0;
    for (const std::string& base : bases) {
        ASSERT_TRUE(FastRead(base, nullptr, true).has_value()) << base;
        for (int round = 0; round < 4000; ++round) {
            std::string file = base;
            const int changes = 1 + static_cast<int>(random() % 3);
            for (int c = 0; c < changes; ++c) {
                const std::size_t at = random() % (file.size() + 1);
                switch (random() % 3) {
                    case 0:
                        file.insert(at, pieces[random() % std::size(pieces)]);
                        break;
                    case 1:
                        file.erase(at, 1 + random() % 4);
                        break;
                    default:
                        if (at < file.size()) {
                            file[at] = static_cast<char>(random() % 256);
                        }
                }
            }
            ++tried;
            const std::optional<Records> fast = FastRead(file);
            if (!fast) {
                // Read although its end is missing: with the end, libxml2 must agree.
                std::size_t end = 0;
                if (const std::optional<Records> cutRead = FastRead(file, &end, true)) {
                    ++cutShort;
                    const std::optional<Records> whole = LibXmlRead(file.substr(0, end) + "</all>");
                    ASSERT_TRUE(whole.has_value()) << "read a cut file that is more:\n" << file;
                    ASSERT_EQ(*cutRead, *whole) << file;
                }
                continue;
            }
            ++accepted;
            const std::optional<Records> reference = LibXmlRead(file);
            ASSERT_TRUE(reference.has_value()) << "accepted a file libxml2 rejects:\n" << file;
            ASSERT_EQ(*fast, *reference) << file;
        }
    }
    // The damage must leave enough files accepted for the comparison to mean something.
    EXPECT_GT(accepted, tried / 15) << accepted << " of " << tried;
    EXPECT_GT(cutShort, tried / 30) << cutShort << " of " << tried;
}

// A crafted element of 160,000 attributes (1.6 MB) is read in about the time of its bytes:
// comparing each name with every earlier one took most of a minute.
TEST(StatisticsLayoutReader, ReadsAnElementOfManyAttributesInLinearTime) {
    std::string file = "<all><connection";
    for (int i = 0; i < 160000; ++i) {
        file += " a" + std::to_string(i) + "=\"1\"";
    }
    const auto started = std::chrono::steady_clock::now();
    RecordStore store;
    EXPECT_TRUE(ReadStatisticsLayout(file + "/></all>", store).accepted);
    EXPECT_FALSE(ReadStatisticsLayout(file + " a17=\"2\"/></all>", store).accepted);
    const auto elapsed = std::chrono::steady_clock::now() - started;
    EXPECT_LT(elapsed, std::chrono::seconds(3))
        << std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() << " ms";
}

// Stands in for MSXML: reads any file libxml2 reads.
class LibXmlReader final : public XmlRecordReader {
  public:
    Outcome ReadRecords(std::string_view bytes, RecordStore& store) override {
        Attributes root;
        const std::optional<Records> records = LibXmlRead(bytes, &root);
        if (!records) {
            return Outcome::Failed("not well-formed");
        }
        for (const auto& [name, text] : root) {
            store.AddRootAttribute(name, text);
        }
        for (const Attributes& record : *records) {
            store.BeginRecord();
            for (const auto& [name, text] : record) {
                store.AddAttribute(name, text);
            }
        }
        ++reads;
        return Outcome::Ok();
    }
    int reads = 0;
};

using testing::MemoryStorage;

class StatisticsStoreTest : public ::testing::Test {
  protected:
    void Append(const Attributes& record) {
        std::vector<NamedText> attributes;
        for (const auto& [name, text] : record) {
            attributes.push_back({name, text});
        }
        ASSERT_TRUE(store.AppendRecord(attributes).ok());
        ASSERT_TRUE(
            storage
                .ReplaceAtomically(kPath, [&](const std::string& temp) { return store.Save(temp); })
                .ok());
        ASSERT_EQ(storage.FileSize(kPath), store.SavedBytes());
        store.Stored(kPath);
    }
    const std::string& File() { return storage.files[kPath]; }

    static constexpr const char* kPath = "dialstat.xml";
    MemoryStorage storage;
    LibXmlReader complete;
    StatisticsStore store{storage, complete};
};

TEST_F(StatisticsStoreTest, AppendsCopyTheStoredFileAndAddOnlyTheNewLine) {
    const std::string earlier = WrittenFile({Session("A")});
    storage.files[kPath] = earlier;
    ASSERT_TRUE(store.Load(kPath).ok());
    Append(Session("B"));
    Append(Session("C"));
    EXPECT_EQ(storage.wholeWrites, 0);
    EXPECT_EQ(complete.reads, 0);
    EXPECT_EQ(File(), WrittenFile({Session("A"), Session("B"), Session("C")}));
}

TEST_F(StatisticsStoreTest, TheOneLineLayoutGetsItsNewLinesAfterALineBreak) {
    storage.files[kPath] =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- c -->\r\n<all><connection "
        "name=\"A\"/></all>\r\n";
    ASSERT_TRUE(store.Load(kPath).ok());
    Append(Session("B"));
    EXPECT_EQ(storage.wholeWrites, 0);
    EXPECT_TRUE(
        File().starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- c -->\r\n"
                           "<all><connection name=\"A\"/>\r\n<connection name=\"B\" "))
        << File();
    EXPECT_EQ(FastRead(File()), (Records{{{"name", "A"}}, Session("B")}));
}

// What the store holds is the truth: a file changed (in size), gone or of another layout is
// written whole, in this program's layout, with every session.
TEST_F(StatisticsStoreTest, AFileNotAsStoredIsWrittenWholeFromTheStore) {
    storage.files[kPath] = WrittenFile({Session("A")});
    ASSERT_TRUE(store.Load(kPath).ok());
    for (const std::string& changed :
         {WrittenFile({Session("XX")}), WrittenFile({Session("Z"), Session("YYY")}),
          std::string()}) {
        if (changed.empty()) {
            storage.files.erase(kPath);
        } else {
            storage.files[kPath] = changed;
        }
        const int before = storage.wholeWrites;
        Append(Session("B"));
        EXPECT_EQ(storage.wholeWrites, before + 1);
        EXPECT_EQ(FastRead(File())->size(), store.RecordCount());
    }
    EXPECT_EQ(File(), WrittenFile({Session("A"), Session("B"), Session("B"), Session("B")}));

    // A file the fast path leaves alone is read by the complete reader, and rewritten once.
    storage.files[kPath] = "<all><connection name='A'></connection><connection/></all>";
    ASSERT_TRUE(store.Load(kPath).ok());
    EXPECT_EQ(complete.reads, 1);
    Append(Session("B"));
    Append(Session("C"));
    EXPECT_EQ(File(), WrittenFile({{{"name", "A"}}, {}, Session("B"), Session("C")}));

    // A file no reader can read leaves the store as it was.
    storage.files[kPath] = "<all><connection";
    EXPECT_FALSE(store.Load(kPath).ok());
    EXPECT_EQ(store.RecordCount(), 4u);
}

// A file cut after its last record (an interrupted copy) is read with those records by the
// fast path alone, and the next save writes it whole, with its end.
TEST_F(StatisticsStoreTest, AFileWithoutItsEndIsReadWithItsRecordsAndWrittenWhole) {
    const std::string whole = WrittenFile({Session("A"), Session("B")});
    storage.files[kPath] = whole.substr(0, whole.size() - kStatisticsTail.size()) + "</al";
    const LoadOutcome loaded = store.Load(kPath);
    EXPECT_EQ(loaded.kind, LoadOutcome::Kind::ReadWithoutEnd);
    EXPECT_EQ(store.RecordCount(), 2u);
    EXPECT_EQ(complete.reads, 0);
    Append(Session("C"));
    EXPECT_EQ(storage.wholeWrites, 1);
    EXPECT_EQ(File(), WrittenFile({Session("A"), Session("B"), Session("C")}));

    // Cut inside a record: damaged, and the store stays as it was.
    storage.files[kPath] = whole.substr(0, whole.size() - 40);
    EXPECT_EQ(store.Load(kPath).kind, LoadOutcome::Kind::Damaged);
    EXPECT_EQ(store.RecordCount(), 3u);
}

// Sessions stored while the file could not be read follow the file's records once it is
// read, and the save adds only them to a copy of the file.
TEST_F(StatisticsStoreTest, RecordsHeldWhileTheFileWasUnreadableFollowItsOwn) {
    storage.files[kPath] = WrittenFile({Session("Old 1"), Session("Old 2")});
    storage.unreadable.insert(kPath);
    EXPECT_EQ(store.Load(kPath).kind, LoadOutcome::Kind::Unreadable);
    const Attributes added = Session("New");
    std::vector<NamedText> attributes;
    for (const auto& [name, text] : added) {
        attributes.push_back({name, text});
    }
    ASSERT_TRUE(store.AppendRecord(attributes).ok());

    storage.unreadable.clear();
    EXPECT_EQ(store.LoadKeepingHeld(kPath).kind, LoadOutcome::Kind::Read);
    ASSERT_TRUE(store.Save(kPath).ok());
    EXPECT_EQ(storage.wholeWrites, 0);
    EXPECT_EQ(File(), WrittenFile({Session("Old 1"), Session("Old 2"), Session("New")}));
}

// Every file the readers accept is written back whole and read again, namespaces checked as
// MSXML checks them: a rewrite must never make a file its own reader rejects (a prefix the
// root declared, kept on a record without the declaration).
TEST_F(StatisticsStoreTest, EveryFileItReadsItWritesBackReadable) {
    std::mt19937 random(20261223);
    const std::string pieces[] = {" xmlns:p=\"urn:p\"", " p:n=\"1\"", " xmlns=\"urn:d\"",
                                  " q:m='2' xmlns:q='urn:q'", " xml:lang=\"ru\"", "<!-- c -->",
                                  "&amp;", "\"", " ", "<connection/>", "</all>", "/>"};
    const std::string bases[] = {
        "<all xmlns:p=\"urn:p\"><connection name=\"A\" p:note=\"x\"/></all>",
        "<?xml version=\"1.0\"?><all xmlns=\"urn:d\" xmlns:p='urn:p' v=\"2\"><connection "
        "p:n=\"&lt;\"></connection><connection xmlns:q=\"urn:q\" q:a=\"1\"/></all>",
        "<root a=\"1\"><x xml:lang=\"ru\" name=\"A\"/>text<connection/></root>",
        WrittenFile({Session("Дом"), Session("A & B")}),
    };
    std::size_t rewritten = 0;
    for (const std::string& base : bases) {
        for (int round = 0; round < 1500; ++round) {
            std::string file = base;
            for (int c = round == 0 ? 0 : 1 + static_cast<int>(random() % 2); c > 0; --c) {
                const std::size_t at = random() % (file.size() + 1);
                if (random() % 2 == 0) {
                    file.insert(at, pieces[random() % std::size(pieces)]);
                } else {
                    file.erase(at, 1 + random() % 3);
                }
            }
            MemoryStorage files;
            StatisticsStore read(files, complete);
            files.files[kPath] = file;
            if (!read.Load(kPath).ok()) {
                continue;
            }
            files.files.erase(kPath);  // written whole, not as a copy of what was read
            ASSERT_TRUE(read.Save(kPath).ok());
            const std::string& written = files.files[kPath];
            const std::optional<Records> again = LibXmlRead(written);
            ASSERT_TRUE(again.has_value()) << "read:\n" << file << "\nwritten:\n" << written;
            ASSERT_EQ(again->size(), read.RecordCount()) << written;
            if (const std::optional<Records> original = LibXmlRead(file)) {
                ASSERT_EQ(*again, *original) << file;
            }
            ++rewritten;
        }
    }
    EXPECT_GT(rewritten, 1000u);
}

}  // namespace
}  // namespace orv
