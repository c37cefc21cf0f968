// The statistics file's own writer and its fast reader: what is written reads back as it was,
// the layouts of earlier versions read, and whatever the fast path accepts, libxml2 reads the
// same way (a differential test over generated and randomly damaged files).

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <functional>
#include <map>
#include <optional>
#include <random>

#include "stats/statistics_file.h"
#include "stats/statistics_store.h"
#include "stats/statistics_xml.h"

namespace orv {
namespace {

using Attributes = std::vector<std::pair<std::string, std::string>>;
using Records = std::vector<Attributes>;

// What the fast path reads, with the names of every attribute.
std::optional<Records> FastRead(std::string_view bytes, std::size_t* rootEnd = nullptr) {
    RecordStore store;
    const LayoutRead read = ReadStatisticsLayout(bytes, store);
    if (!read.accepted) {
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

// What libxml2 reads: the root's child elements and their attributes; nothing when it finds
// the file malformed.
std::optional<Records> LibXmlRead(std::string_view bytes) {
    xmlDocPtr document =
        xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr,
                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (!document) {
        return std::nullopt;
    }
    Records records;
    const xmlNode* root = xmlDocGetRootElement(document);
    for (const xmlNode* node = root ? root->children : nullptr; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE) {
            continue;
        }
        Attributes& record = records.emplace_back();
        for (const xmlAttr* attribute = node->properties; attribute; attribute = attribute->next) {
            xmlChar* value = xmlNodeListGetString(document, attribute->children, 1);
            record.emplace_back(reinterpret_cast<const char*>(attribute->name),
                                value ? reinterpret_cast<const char*>(value) : "");
            xmlFree(value);
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
    const std::string bases[] = {
        WrittenFile({Session("Дом"), Session("A & B <\"c\">", "x\ty")}),
        "<?xml version='1.0' encoding='utf-8' standalone='yes'?><!--c--><all><connection "
        "name=\"a\" user=\"&#x44F;\"/><connection/></all><!--d-->\n",
        std::string(kEmptyStatisticsFile),
    };
    std::size_t accepted = 0;
    std::size_t tried = 0;
    for (const std::string& base : bases) {
        ASSERT_TRUE(FastRead(base).has_value()) << base;
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
                continue;
            }
            ++accepted;
            const std::optional<Records> reference = LibXmlRead(file);
            ASSERT_TRUE(reference.has_value()) << "accepted a file libxml2 rejects:\n" << file;
            ASSERT_EQ(*fast, *reference) << file;
        }
    }
    // The damage must leave enough files accepted for the comparison to mean something.
    EXPECT_GT(accepted, tried / 10) << accepted << " of " << tried;
}

// Files in memory; WriteExtendedCopy as the Win32 one does it.
class MemoryStorage final : public StatisticsStorage {
  public:
    bool Exists(const std::string& path) const override { return files.contains(path); }
    Outcome ReplaceAtomically(const std::string& path,
                              const std::function<Outcome(const std::string&)>& write) override {
        if (refuseWrites) {
            return Outcome::Failed("access denied");
        }
        const Outcome written = write(path + ".saving");
        if (written.ok()) {
            files[path] = files[path + ".saving"];
        }
        files.erase(path + ".saving");
        return written;
    }
    Outcome WriteBytes(const std::string& path, std::string_view bytes) override {
        ++wholeWrites;
        files[path] = std::string(bytes);
        return Outcome::Ok();
    }
    std::optional<std::string> ReadBytes(const std::string& path) const override {
        const auto found = files.find(path);
        return found == files.end() ? std::nullopt : std::optional<std::string>(found->second);
    }
    Outcome Rename(const std::string&, const std::string&) override { return Outcome::Ok(); }
    std::optional<std::uint64_t> FileSize(const std::string& path) const override {
        const auto bytes = ReadBytes(path);
        return bytes ? std::optional<std::uint64_t>(bytes->size()) : std::nullopt;
    }
    std::optional<Outcome> WriteExtendedCopy(const std::string& from, std::uint64_t keep,
                                             std::string_view expectedEnd, const std::string& to,
                                             std::string_view more) override {
        const auto bytes = ReadBytes(from);
        if (!bytes || bytes->size() != keep + expectedEnd.size() ||
            bytes->substr(keep) != expectedEnd) {
            return std::nullopt;
        }
        files[to] = bytes->substr(0, keep) + std::string(more);
        return Outcome::Ok();
    }

    std::map<std::string, std::string> files;
    int wholeWrites = 0;
    bool refuseWrites = false;
};

// Stands in for MSXML: reads any file libxml2 reads.
class LibXmlReader final : public XmlRecordReader {
  public:
    Outcome ReadRecords(std::string_view bytes, RecordStore& store) override {
        const std::optional<Records> records = LibXmlRead(bytes);
        if (!records) {
            return Outcome::Failed("not well-formed");
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

// The statistics file over the store: what the user is told.
class StatisticsFileTest : public ::testing::Test {
  protected:
    struct Prompts final : UserPrompts {
        bool AskYesNo(std::string_view) override { return false; }
        void ReportError(std::string_view message) override { boxes.emplace_back(message); }
        std::vector<std::string> boxes;
    };
    struct Logon final : LogonName {
        std::string UserName() const override { return "user"; }
    };
    struct FixedNow final : Clock {
        LocalDateTime Now() const override { return {2026, 12, 9, 12, 0, 0, 0}; }
    };

    static constexpr const char* kFile = "C:\\Orvane\\statistics\\dialstat.xml";
    MemoryStorage storage;
    LibXmlReader complete;
    StatisticsStore store{storage, complete};
    Prompts prompts;
    Logon logon;
    FixedNow clock;
    std::vector<std::string> status;
    StatisticsFile file{store, {storage, prompts, logon, clock, [this](std::string_view text) {
                                    status.emplace_back(text);
                                }}};

    static ConnectionInfo NamedSession(std::string name) {
        ConnectionInfo session;
        session.name = std::move(name);
        session.duration = "1000";
        return session;
    }
};

TEST_F(StatisticsFileTest, AZeroByteFileIsNoSessionsYetAndGetsTheEmptyFileWithoutAWord) {
    storage.files[kFile] = "";
    file.OpenStatistics("C:\\Orvane\\");
    EXPECT_EQ(storage.files[kFile], kEmptyStatisticsFile);
    EXPECT_TRUE(prompts.boxes.empty());
    EXPECT_EQ(storage.files.size(), 1u) << "nothing kept aside";
}

TEST_F(StatisticsFileTest, SavesThatKeepFailingShowOneBoxThenTheStatusBarUntilOneSucceeds) {
    file.OpenStatistics("C:\\Orvane\\");
    storage.refuseWrites = true;
    for (int session = 0; session < 3; ++session) {
        file.AppendSession(NamedSession("S" + std::to_string(session)));
    }
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_NE(prompts.boxes[0].find("1 session of this run is kept"), std::string::npos);
    ASSERT_EQ(status.size(), 2u);
    EXPECT_NE(status[1].find("3 sessions of this run are kept"), std::string::npos);
    EXPECT_EQ(file.UnsavedSessions(), 3u);

    storage.refuseWrites = false;
    file.AppendSession(NamedSession("S3"));
    EXPECT_EQ(file.UnsavedSessions(), 0u);
    EXPECT_EQ(status.back(), std::string("The statistics are saved to ") + kFile + " again.");
    // A new failure after a success is news again.
    storage.refuseWrites = true;
    file.AppendSession(NamedSession("S4"));
    EXPECT_EQ(prompts.boxes.size(), 2u);
}

}  // namespace
}  // namespace orv
