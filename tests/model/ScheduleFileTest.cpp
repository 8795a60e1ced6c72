#include "ModelTestSupport.h"
#include "THeatingLocations.h"
#include "TScheduleFileError.h"
#include "zeft_ScheduleFile.h"
#include "zeft_Templates.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace zeft;
using namespace zeft::test;
namespace fs = std::filesystem;

namespace {

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void Load(THeatingLocations& locations, const std::string& bytes) {
    TParsedScheduleFile parsed;
    ParseScheduleDocument(bytes, parsed);
    locations.LoadFromXML(parsed.Document, &parsed.Lines);
}

// A file with one location whose Monday holds the given "single" elements; the other six days
// hold one period each.
std::string FileWithMonday(const std::string& periods, const std::string& name = "Room") {
    std::string week = "<day>" + periods + "</day>";
    for (int i = 0; i < 6; ++i)
        week += "<day><single><temperature>17.00</temperature><start>00:00:00</start>"
                "<stop>00:00:00</stop></single></day>";
    return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><heatingLocations><heatingLocations>"
           "<displayText>" +
           name + "</displayText><weeklyHeatingIntervals>" + week +
           "</weeklyHeatingIntervals></heatingLocations></heatingLocations>";
}

std::string Single(const std::string& temperature, const std::string& start,
                   const std::string& stop) {
    return "<single><temperature>" + temperature + "</temperature><start>" + start +
           "</start><stop>" + stop + "</stop></single>";
}

} // namespace

TEST(ScheduleFile, WritesTheKnownLayoutByteForByte) {
    THeatingLocations locations;
    auto location = CreateTemplateLocation(0, nullptr);
    location->DisplayText = "K\xC3\xBC"
                            "che & <Bad>";
    location->Days(0).SplitPeriod(&location->Days(0).Items(0), T("06:30"));
    location->Days(0).Items(1).Temperature().SetValue(20.25);
    locations.Add(std::move(location));
    auto empty = std::make_unique<THeatingLocation>();
    THeatingLocation::TDays days;
    for (auto& day : days)
        day = Day("00:00-24:00 5");
    empty->SetDays(std::move(days));
    locations.Add(std::move(empty));

    std::string expected = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
                           "<heatingLocations>\r\n"
                           "  <heatingLocations>\r\n"
                           "    <displayText>K\xFC"
                           "che &amp; &lt;Bad&gt;</displayText>\r\n"
                           "    <weeklyHeatingIntervals>\r\n"
                           "      <day>\r\n"
                           "        <single>\r\n"
                           "          <temperature>17.00</temperature>\r\n"
                           "          <start>00:00:00</start>\r\n"
                           "          <stop>06:30:00</stop>\r\n"
                           "        </single>\r\n"
                           "        <single>\r\n"
                           "          <temperature>20.25</temperature>\r\n"
                           "          <start>06:30:00</start>\r\n"
                           "          <stop>00:00:00</stop>\r\n"
                           "        </single>\r\n"
                           "      </day>\r\n";
    const std::string oneDay = "      <day>\r\n"
                               "        <single>\r\n"
                               "          <temperature>17.00</temperature>\r\n"
                               "          <start>00:00:00</start>\r\n"
                               "          <stop>00:00:00</stop>\r\n"
                               "        </single>\r\n"
                               "      </day>\r\n";
    for (int i = 0; i < 6; ++i)
        expected += oneDay;
    expected += "    </weeklyHeatingIntervals>\r\n"
                "  </heatingLocations>\r\n"
                "  <heatingLocations>\r\n"
                "    <displayText />\r\n"
                "    <weeklyHeatingIntervals>\r\n";
    std::string fiveDegrees = oneDay;
    fiveDegrees.replace(fiveDegrees.find("17.00"), 5, "5.00");
    for (int i = 0; i < 7; ++i)
        expected += fiveDegrees;
    expected += "    </weeklyHeatingIntervals>\r\n"
                "  </heatingLocations>\r\n"
                "</heatingLocations>\r\n";
    EXPECT_EQ(ScheduleFileBytes(locations), expected);
}

// Rooms are written a few at a time: each one's text is what it is in a file of its own.
TEST(ScheduleFile, ManyRoomsAreWrittenAsEachAlone) {
    const std::string head = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
                             "<heatingLocations>\r\n";
    const std::string tail = "</heatingLocations>\r\n";
    THeatingLocations all;
    std::string expected = head;
    for (int i = 0; i < 11; ++i) {
        THeatingLocations alone;
        alone.Add(CreateTemplateLocation(i % TemplateCount, nullptr));
        const std::string text = ScheduleFileBytes(alone);
        ASSERT_EQ(text.substr(0, head.size()), head);
        expected += text.substr(head.size(), text.size() - head.size() - tail.size());
        all.Add(CreateTemplateLocation(i % TemplateCount, nullptr));
    }
    EXPECT_EQ(ScheduleFileBytes(all), expected + tail);
}

TEST(ScheduleFile, CharactersBeyondLatin1BecomeCharacterReferencesAndReadBack) {
    const std::string name = "B\xC3\xBCro \xE2\x82\xAC 5 \xC3\xA9t\xC3\xA9 \xF0\x9F\x94\xA5";
    THeatingLocations locations;
    auto location = CreateTemplateLocation(7, nullptr);
    location->DisplayText = name;
    locations.Add(std::move(location));
    const std::string bytes = ScheduleFileBytes(locations);
    EXPECT_NE(bytes.find("B\xFCro &#8364; 5 \xE9t\xE9 &#128293;"), std::string::npos);
    THeatingLocations read;
    Load(read, bytes);
    ASSERT_EQ(read.Count(), 1);
    EXPECT_EQ(read.Items(0).DisplayText, name);
}

TEST(ScheduleFile, EveryTemplateSurvivesTheRoundTrip) {
    const fs::path dir = fs::path(testing::TempDir()) / "zeft-roundtrip";
    fs::create_directories(dir);
    const std::string names[] = {"Unbenannt",
                                 "Wohnzimmer",
                                 "Schlafzimmer",
                                 "Kinderzimmer",
                                 "K\xC3\xBC"
                                 "che",
                                 "Salle de bains",
                                 "Entr\xC3\xA9"
                                 "e",
                                 "Bureau 5 jours ouvrables",
                                 "Chambre d'enfant",
                                 "\xC3\x84\xC3\x96\xC3\x9C\xC3\x9F"};
    THeatingLocations saved;
    for (int i = 0; i < TemplateCount; ++i) {
        auto location = CreateTemplateLocation(i, nullptr);
        location->DisplayText = names[i];
        saved.Add(std::move(location));
    }
    saved.Items(3).Days(2).Items(1).Temperature().SetValue(21.5);
    const fs::path file = dir / "all.zeft";
    saved.SaveToFile(file.string());

    TParsedScheduleFile parsed;
    ParseScheduleFile(file.string(), parsed);
    THeatingLocations read;
    read.LoadFromXML(parsed.Document, &parsed.Lines);
    ASSERT_EQ(read.Count(), saved.Count());
    for (int l = 0; l < saved.Count(); ++l) {
        EXPECT_EQ(read.Items(l).DisplayText, saved.Items(l).DisplayText);
        for (int d = 0; d < 7; ++d) {
            EXPECT_EQ(DayText(read.Items(l).Days(d)), DayText(saved.Items(l).Days(d)));
            EXPECT_EQ(WellFormedProblem(read.Items(l).Days(d)), "");
        }
    }
    EXPECT_EQ(ReadBytes(file), ScheduleFileBytes(read));
}

// A file in UTF-8 whose room name holds the given bytes as they stand.
std::string Utf8FileNamed(const std::string& nameBytes) {
    std::string file = FileWithMonday(Single("17", "00:00", "00:00"), nameBytes);
    file.replace(file.find("ISO-8859-1"), 10, "UTF-8");
    return file;
}

std::string DescribeCollection(const THeatingLocations& locations) {
    std::string text;
    for (int l = 0; l < locations.Count(); ++l) {
        text += "[" + locations.Items(l).DisplayText + "]\n";
        for (int d = 0; d < 7; ++d)
            text += DayText(locations.Items(l).Days(d)) + "\n";
    }
    return text;
}

struct NameCase {
    const char* Name;
    std::string Bytes; // of the name in a UTF-8 file
    std::string Read;  // the name as read, in UTF-8
};
class ScheduleFileNames : public testing::TestWithParam<NameCase> {};

// Bytes that are not well-formed UTF-8 are replaced on reading, and a name that holds them
// anyway is written with references to U+FFFD: never raw markup, NUL or bytes that break the file.
TEST_P(ScheduleFileNames, ReadAndWrittenAsWellFormedText) {
    THeatingLocations read;
    Load(read, Utf8FileNamed(GetParam().Bytes));
    ASSERT_EQ(read.Count(), 1);
    EXPECT_EQ(read.Items(0).DisplayText, GetParam().Read);
    THeatingLocations again;
    Load(again, ScheduleFileBytes(read));
    EXPECT_EQ(again.Items(0).DisplayText, GetParam().Read);

    if (GetParam().Bytes.find('&') != std::string::npos)
        return; // a reference is markup only in a file; in a name it is text
    THeatingLocations direct;
    direct.Add(CreateTemplateLocation(1, nullptr));
    direct.Items(0).DisplayText = GetParam().Bytes;
    const std::string written = ScheduleFileBytes(direct);
    EXPECT_EQ(written.find('\0'), std::string::npos);
    EXPECT_EQ(written.find("<<"), std::string::npos);
    THeatingLocations back;
    Load(back, written);
    EXPECT_EQ(back.Items(0).DisplayText, GetParam().Read);
}

#define FFFD "\xEF\xBF\xBD"
INSTANTIATE_TEST_SUITE_P(
    Utf8, ScheduleFileNames,
    testing::Values(NameCase{"WellFormed", "K\xC3\xBC \xE2\x82\xAC \xF0\x9F\x94\xA5 " FFFD,
                             "K\xC3\xBC \xE2\x82\xAC \xF0\x9F\x94\xA5 " FFFD},
                    NameCase{"OverlongLessThan",
                             "a\xC0\xBC"
                             "b",
                             "a" FFFD FFFD "b"},
                    NameCase{"OverlongNul",
                             "a\xC0\x80"
                             "b",
                             "a" FFFD FFFD "b"},
                    NameCase{"OverlongThreeBytes", "\xE0\x80\xBC", FFFD FFFD FFFD},
                    NameCase{"StrayContinuationBytes",
                             "\x80\xBF"
                             "x",
                             FFFD FFFD "x"},
                    NameCase{"ByteFF", "\xFF\xFE", FFFD FFFD},
                    NameCase{"CutOffAtTheEnd", "x\xE2\x82", "x" FFFD FFFD},
                    NameCase{"CutOffBeforeText",
                             "\xF0\x9F\x94"
                             "x",
                             FFFD FFFD FFFD "x"},
                    NameCase{"Surrogate", "\xED\xA0\x80", FFFD FFFD FFFD},
                    NameCase{"BeyondU10FFFF", "\xF4\x90\x80\x80", FFFD FFFD FFFD FFFD},
                    NameCase{"LeadF5", "\xF5\x80", FFFD FFFD},
                    NameCase{"ReferenceToASurrogate", "&#xD800;z", FFFD FFFD FFFD "z"},
                    NameCase{"CarriageReturn", "a&#13;b", "a\rb"},
                    NameCase{"OnlyWhitespace", " \t ", " \t "}),
    [](const testing::TestParamInfo<NameCase>& info) { return info.param.Name; });
#undef FFFD

// The seeds of the fuzz run, the findings among them: what the program reads, it writes so
// that it reads back the same rooms, days, periods, times and temperatures.
TEST(ScheduleFile, EveryReadableCorpusFileReadsBackTheSameAfterASave) {
    int readable = 0;
    for (const auto& entry : fs::directory_iterator(ZEFT_FUZZ_CORPUS)) {
        SCOPED_TRACE(entry.path().filename().string());
        THeatingLocations first;
        try {
            Load(first, ReadBytes(entry.path()));
        } catch (const TScheduleFileError&) {
            continue;
        }
        ++readable;
        const std::string written = ScheduleFileBytes(first);
        THeatingLocations second;
        ASSERT_NO_THROW(Load(second, written));
        EXPECT_EQ(DescribeCollection(second), DescribeCollection(first));
        EXPECT_EQ(ScheduleFileBytes(second), written);
    }
    EXPECT_GE(readable, 6);
}

TEST(ScheduleFile, TheInvalidUtf8FindingReadsWithReplacementCharacters) {
    THeatingLocations read;
    Load(read, ReadBytes(fs::path(ZEFT_FUZZ_CORPUS) / "invalid-utf8-name.zeft"));
    ASSERT_EQ(read.Count(), 1);
    const std::string& name = read.Items(0).DisplayText;
    // "&#8364" lacks its ";", so it is text
    EXPECT_EQ(name.rfind("K\xEF\xBF\xBD"
                         "che \xEF\xBF\xBD:&#8364\xEF\xBF\xBD:&#8364: &a\xEF\xBF\xBD",
                         0),
              0u);
    const std::string written = ScheduleFileBytes(read);
    EXPECT_NE(written.find("<displayText>K&#65533;che &#65533;:&amp;#8364&#65533;:&amp;#8364: "
                           "&amp;a&#65533;&#65533;"),
              std::string::npos);
}

TEST(ScheduleFile, TemperaturesAreWrittenWithTwoDecimalsRoundedExactly) {
    const std::pair<double, const char*> cases[] = {
        {5.0, "5.00"},     {29.5, "29.50"},   {20.25, "20.25"},  {21.3, "21.30"},
        {17.999, "18.00"}, {20.125, "20.12"}, {20.135, "20.14"}, {19.994999, "19.99"},
        {5.055, "5.05"},   {5.165, "5.17"}};
    for (const auto& [value, text] : cases) {
        THeatingLocations locations;
        locations.Add(CreateTemplateLocation(0, nullptr));
        locations.Items(0).Days(0).Items(0).Temperature().SetValue(value);
        EXPECT_NE(ScheduleFileBytes(locations).find(std::string("<temperature>") + text + "<"),
                  std::string::npos)
            << value;
    }
}

struct ReadCase {
    const char* Name;
    std::string Monday; // the "single" elements of Monday
    std::string Expected;
};
class ScheduleFileReading : public testing::TestWithParam<ReadCase> {};

TEST_P(ScheduleFileReading, ReadsMondayAs) {
    THeatingLocations locations;
    Load(locations, FileWithMonday(GetParam().Monday));
    ASSERT_EQ(locations.Count(), 1);
    EXPECT_EQ(DayText(locations.Items(0).Days(0)), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ScheduleFileReading,
    testing::Values(
        ReadCase{"WholeDay", Single("17.00", "00:00:00", "00:00:00"), "00:00-24:00 17"},
        ReadCase{"StopAtMidnight", Single("17", "22:00:00", "00:00:00"), "22:00-24:00 17"},
        ReadCase{"BackwardsPeriodSkipped",
                 Single("17", "08:00:00", "06:00:00") + Single("20", "00:00:00", "00:00:00"),
                 "00:00-24:00 20"},
        ReadCase{"RoundedDown", Single("17", "06:35:00", "07:00:00"), "06:30-07:00 17"},
        ReadCase{"WithoutSeconds", Single("17", "06:35", "7"), "06:30-07:00 17"},
        ReadCase{"Clamped",
                 Single("35.0", "00:00:00", "01:00:00") + Single("3", "01:00:00", "02:00:00") +
                     Single("20.25", "02:00:00", "00:00:00"),
                 "00:00-01:00 29.5, 01:00-02:00 5, 02:00-24:00 20.25"},
        ReadCase{"Exponent", Single("1.5e1", "00:00", "00:00"), "00:00-24:00 15"},
        // kept as written, to the nearest double
        ReadCase{"ManyDecimals", Single("+20.2512345678901234567", "00:00", "00:00"),
                 "00:00-24:00 20.251234567890123"},
        ReadCase{"StartsLate", Single("17", "06:00:00", "00:00:00"), "06:00-24:00 17"},
        // empty on the 10-minute grid: skipped, as 00:00-00:00 would read back as the whole day
        ReadCase{"SameTenMinuteStep",
                 Single("17", "06:31:00", "06:39:00") + Single("18", "00:00", "00:00"),
                 "00:00-24:00 18"},
        ReadCase{"InsideTheFirstStep", Single("17", "00:00:00", "00:05:00"), ""},
        ReadCase{"AllSkipped", Single("17", "08:00:00", "06:00:00"), ""},
        ReadCase{"WhitespaceAround",
                 "<single><temperature> 19.5 </temperature><start>\n06:00:00\n"
                 "</start><stop>00:00:00</stop></single>",
                 "06:00-24:00 19.5"},
        ReadCase{"OtherElementNames",
                 "<p><stop>00:00:00</stop><start>00:00:00</start><temperature>18</temperature></p>",
                 "00:00-24:00 18"},
        ReadCase{"NinePeriodsKeepSeven",
                 Single("5", "00:00", "01:00") + Single("6", "01:00", "02:00") +
                     Single("7", "02:00", "03:00") + Single("8", "03:00", "04:00") +
                     Single("9", "04:00", "05:00") + Single("10", "05:00", "06:00") +
                     Single("11", "06:00", "07:00") + Single("12", "07:00", "08:00") +
                     Single("13", "08:00", "00:00"),
                 "00:00-01:00 5, 01:00-02:00 6, 02:00-03:00 7, 03:00-04:00 8, "
                 "04:00-05:00 9, 05:00-06:00 10, 06:00-07:00 11"}),
    [](const testing::TestParamInfo<ReadCase>& info) { return info.param.Name; });

TEST(ScheduleFile, DayWithoutPeriodsReadsAsEmptyDayAndSurvivesASecondRoundTrip) {
    THeatingLocations locations;
    Load(locations, FileWithMonday(""));
    EXPECT_EQ(locations.Items(0).Days(0).Count(), 0);
    const std::string bytes = ScheduleFileBytes(locations);
    EXPECT_NE(bytes.find("<day />"), std::string::npos);
    THeatingLocations again;
    Load(again, bytes);
    EXPECT_EQ(again.Items(0).Days(0).Count(), 0);
    EXPECT_EQ(again.Items(0).Days(1).Count(), 1);
}

TEST(ScheduleFile, MissingDisplayTextGivesAnEmptyName) {
    std::string file = FileWithMonday(Single("17", "00:00", "00:00"), "x");
    file.erase(file.find("<displayText>"), std::string("<displayText>x</displayText>").size());
    THeatingLocations locations;
    Load(locations, file);
    EXPECT_EQ(locations.Items(0).DisplayText, "");
}

TEST(ScheduleFile, EightDaysKeepTheFirstSeven) {
    std::string file = FileWithMonday(Single("21", "00:00", "00:00"));
    const std::string extra = "<day>" + Single("9", "00:00", "00:00") + "</day>";
    file.insert(file.find("</weeklyHeatingIntervals>"), extra);
    THeatingLocations locations;
    Load(locations, file);
    EXPECT_EQ(DayText(locations.Items(0).Days(0)), "00:00-24:00 21");
    EXPECT_EQ(DayText(locations.Items(0).Days(6)), "00:00-24:00 17");
}

struct FailureCase {
    const char* Name;
    std::string File;
    std::string MessagePart;
};
class ScheduleFileFailures : public testing::TestWithParam<FailureCase> {};

TEST_P(ScheduleFileFailures, FailWithAMessageSayingWhatAndWhere) {
    THeatingLocations locations;
    locations.Add(CreateTemplateLocation(1, nullptr));
    try {
        Load(locations, GetParam().File);
        FAIL() << "loaded without an error";
    } catch (const TScheduleFileError& error) {
        EXPECT_NE(std::string(error.what()).find(GetParam().MessagePart), std::string::npos)
            << error.what();
    }
}

std::string Without(std::string text, const std::string& part) {
    text.erase(text.find(part), part.size());
    return text;
}

// ASCII text as UTF-16 little-endian with a byte order mark.
std::string Utf16(const std::string& ascii) {
    std::string out = "\xFF\xFE";
    for (const char c : ascii)
        out.append({c, '\0'});
    return out;
}

std::string SixDays() {
    const std::string file = FileWithMonday(Single("17", "00:00", "00:00"));
    const std::string day = "<day>" + Single("17", "00:00", "00:00") + "</day>";
    return Without(file, day);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScheduleFileFailures,
    testing::Values(
        FailureCase{"EmptyRoot", "<?xml version=\"1.0\"?>\n<heatingLocations/>",
                    "Line 2, element /heatingLocations: the file holds no location"},
        FailureCase{"NotXml", "just text", "not well-formed XML"},
        FailureCase{"Truncated", FileWithMonday(Single("17", "00:00", "00:00")).substr(0, 200),
                    "not well-formed XML"},
        FailureCase{"SixDays", SixDays(),
                    "Line 1, element /heatingLocations/heatingLocations/weeklyHeatingIntervals: it "
                    "holds 6 day"},
        FailureCase{"NoWeek", "<a>\n<b><displayText>x</displayText></b></a>",
                    "Line 2, element /a/b: the element \"weeklyHeatingIntervals\" is missing"},
        FailureCase{"CommaDecimal", FileWithMonday(Single("20,5", "00:00", "00:00")),
                    "/heatingLocations/heatingLocations/weeklyHeatingIntervals/day[1]/single/"
                    "temperature: \"20,5\" is not a number"},
        FailureCase{"NotANumber", FileWithMonday(Single("nan", "00:00", "00:00")), "\"nan\""},
        FailureCase{"EmptyTemperature", FileWithMonday(Single("", "00:00", "00:00")),
                    "temperature: \"\" is not a number"},
        FailureCase{"StopAt24", FileWithMonday(Single("17", "22:00:00", "24:00:00")),
                    "day[1]/single/stop: \"24:00:00\" is not a time of day"},
        FailureCase{"Minutes60", FileWithMonday(Single("17", "06:60", "00:00")), "\"06:60\""},
        FailureCase{"TimeWithText", FileWithMonday(Single("17", "6 am", "00:00")), "\"6 am\""},
        FailureCase{
            "MissingStart",
            FileWithMonday("<single><temperature>1</temperature><stop>00:00</stop></single>"),
            "day[1]/single: the element \"start\" is missing"},
        // lines are counted in the file's own encoding, whatever the parser converts it to
        FailureCase{"LineInLatin1",
                    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<a>" +
                        std::string(40, '\xE9') + "\n<b/>" + std::string(40, '\n') + "</a>",
                    "Line 3, element /a/b: the element \"weeklyHeatingIntervals\" is missing"},
        FailureCase{"LineInUtf16",
                    Utf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<a>\n\n\n<b/>" +
                          std::string(40, '\n') + "</a>"),
                    "Line 5, element /a/b: the element \"weeklyHeatingIntervals\" is missing"},
        FailureCase{"NotXmlInUtf16", Utf16("<?xml version=\"1.0\"?>\n\n<a>\n<b></a>"),
                    "Line 4: the file is not well-formed XML"}),
    [](const testing::TestParamInfo<FailureCase>& info) { return info.param.Name; });

TEST(ScheduleFile, LocationsReadBeforeAFailureStayInTheCollection) {
    std::string file = FileWithMonday(Single("17", "00:00", "00:00"));
    file.insert(file.rfind("</heatingLocations>"),
                "<heatingLocations><displayText>bad</displayText></heatingLocations>");
    THeatingLocations locations;
    EXPECT_THROW(Load(locations, file), TScheduleFileError);
    ASSERT_EQ(locations.Count(), 1);
    EXPECT_EQ(locations.Items(0).DisplayText, "Room");
}

struct StreamCase {
    const char* Name;
    std::string File;
    bool Streams; // read a part at a time, rather than left to the whole-document reader
};
class ScheduleFileStreams : public testing::TestWithParam<StreamCase> {};

// Whatever the blocks, the file reads as the whole-document reader reads it: the same rooms,
// or the same fault; and only what that reader would take the same way is read in parts.
TEST_P(ScheduleFileStreams, ReadsAsTheWholeDocumentReader) {
    const std::string& file = GetParam().File;
    std::string whole;
    try {
        THeatingLocations read;
        Load(read, file);
        whole = DescribeCollection(read);
    } catch (const TScheduleFileError& error) {
        whole = error.what();
    }
    const auto describe = [](TLocationSet set) {
        THeatingLocations locations;
        for (auto& location : set)
            locations.Add(std::move(location));
        return DescribeCollection(locations);
    };
    for (const size_t blockSize : {size_t{1}, size_t{7}, size_t{4096}, file.size()}) {
        SCOPED_TRACE(blockSize);
        TScheduleFileStream stream;
        for (size_t at = 0; at < file.size(); at += blockSize)
            stream.Feed(std::string_view(file).substr(at, blockSize));
        ASSERT_EQ(stream.Finish(), GetParam().Streams);
        if (GetParam().Streams) {
            EXPECT_EQ(describe(stream.TakeLocations()), whole);
        }
    }
    const fs::path path = fs::path(testing::TempDir()) / "zeft-stream.zeft";
    std::ofstream(path, std::ios::binary) << file;
    try {
        EXPECT_EQ(describe(ReadScheduleFile(path.string())), whole);
    } catch (const TScheduleFileError& error) {
        EXPECT_EQ(error.what(), whole);
    }
}

std::string ManyRooms() {
    THeatingLocations locations;
    for (int i = 0; i < 60; ++i) // beyond a part of 64 KiB
        locations.Add(CreateTemplateLocation(i % TemplateCount, nullptr));
    locations.Items(7).DisplayText = "\xC3\xA9t\xC3\xA9 & <Co>";
    return ScheduleFileBytes(locations);
}

std::string Replaced(std::string text, const std::string& part, const std::string& by) {
    return text.replace(text.find(part), part.size(), by);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScheduleFileStreams,
    testing::Values(
        StreamCase{"AsTheProgramWritesIt", ManyRooms(), true},
        StreamCase{"MarkupOfEveryKind",
                   "\xEF\xBB\xBF<?xml version=\"1.0\"?><!-- a > b --><?pi x?>\n"
                   "<heatingLocations a='>' b=\"/>\"><!-- <x> -->" +
                       Replaced(Replaced(Replaced(FileWithMonday(Single("17", "00:00", "00:00")),
                                                  "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"
                                                  "<heatingLocations>",
                                                  ""),
                                         "Room", "<![CDATA[</a><b/>]]>&amp;"),
                                "<day>", "<day x='</day>'><?pi </day> ?><!-- </day> -->") +
                       "  \r\n",
                   true},
        StreamCase{"EndTagWithSpace",
                   Replaced(FileWithMonday(Single("17", "00:00", "00:00")),
                            "</heatingLocations></heatingLocations>",
                            "</heatingLocations></heatingLocations \n>"),
                   true},
        StreamCase{"DocumentType",
                   Replaced(FileWithMonday(Single("17", "00:00", "00:00")), "?>",
                            "?><!DOCTYPE heatingLocations>"),
                   false},
        StreamCase{"CommentAfterTheRoot",
                   FileWithMonday(Single("17", "00:00", "00:00")) + "<!--x-->", false},
        StreamCase{"Utf16", Utf16("<a><b/></a>"), false},
        StreamCase{"OtherRootEnd",
                   Replaced(FileWithMonday(Single("17", "00:00", "00:00")),
                            "</heatingLocations></heatingLocations>",
                            "</heatingLocations></heatingLocationsX>"),
                   false},
        StreamCase{"Truncated", ManyRooms().substr(0, 100000), false},
        StreamCase{"NulBetweenRooms",
                   Replaced(ManyRooms(), "</heatingLocations>\r\n  <heatingLocations>",
                            std::string("</heatingLocations>\r\n \0<heatingLocations>", 41)),
                   false},
        StreamCase{"SixDays", SixDays(), false},
        StreamCase{"EmptyRoot", "<heatingLocations></heatingLocations>", false},
        StreamCase{"TextBeforeTheRoot", "x<heatingLocations/>", false},
        StreamCase{"UnclosedElementInARoom",
                   Replaced(FileWithMonday(Single("17", "00:00", "00:00")), "</day>", ""), false}),
    [](const testing::TestParamInfo<StreamCase>& info) { return info.param.Name; });
