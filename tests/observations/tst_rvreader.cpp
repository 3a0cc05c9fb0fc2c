#include "observations/datafolder.h"
#include "observations/nights.h"
#include "observations/rvreader.h"
#include "observations/rvwriter.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <numeric>
#include <string>

using namespace Observations;

Q_DECLARE_METATYPE(std::vector<double>)
Q_DECLARE_METATYPE(std::vector<int>)
Q_DECLARE_METATYPE(std::vector<std::string>)

namespace {

const std::string dataDir = TEST_DATA_DIR;

std::string file(const std::string &name)
{
    return dataDir + "/" + name;
}

bool sameDouble(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

QByteArray repeated(const char *piece, qsizetype times)
{
    return QByteArray(piece).repeated(times);
}

void writeFile(const QString &path, const std::string &text)
{
    std::ofstream out(path.toStdString(), std::ios::binary);
    out << text;
}

QStringList names(const DataSet &data)
{
    QStringList list;
    for (const std::string &name : data.instruments)
        list << QString::fromStdString(name);
    return list;
}

// The instruments in order of first appearance, each with its count of rows.
void checkInstruments(const DataSet &data, const QStringList &instruments, const QList<int> &counts)
{
    QCOMPARE(names(data), instruments);
    for (qsizetype i = 0; i < instruments.size(); ++i)
        QCOMPARE(std::count_if(data.measurements.begin(), data.measurements.end(),
                               [&](const Measurement &m) { return m.instrument == int(i); }),
                 std::ptrdiff_t(counts[i]));
    QCOMPARE(std::accumulate(counts.begin(), counts.end(), 0), int(data.measurements.size()));
}

QStringList indexNames(const DataSet &data)
{
    QStringList list;
    for (const ActivityIndex &index : data.activity)
        list << QString::fromStdString(index.name);
    return list;
}

// Stands for a missing (NaN) value in compared lists, as NaN equals nothing.
constexpr double missing = -1e300;

// Every index's values, index after index, each checked to be as long as the
// measurements; NaN as `missing`.
QList<double> allValues(const DataSet &data)
{
    QList<double> values;
    for (const ActivityIndex &index : data.activity) {
        if (index.values.size() != data.measurements.size())
            return {-999};
        for (const double value : index.values)
            values.append(std::isnan(value) ? missing : value);
    }
    return values;
}

} // namespace

class TestRvReader : public QObject
{
    Q_OBJECT

private slots:
    // A night: one instrument's measurements less than half a day apart, 0.7 d at most; only nights of two or
    // more keep their measurements, each night an instrument of its own, activity indices alongside.
    void offsetPerNight_data()
    {
        QTest::addColumn<std::vector<double>>("times");
        QTest::addColumn<std::vector<int>>("instruments"); // 0 is "A", 1 is "B"
        QTest::addColumn<std::vector<std::string>>("nights");
        QTest::addColumn<std::size_t>("kept");
        QTest::newRow("two instruments on one night stay apart")
            << std::vector<double>{0, 0.05, 0.1, 0.15} << std::vector<int>{0, 1, 0, 1}
            << std::vector<std::string>{"A night 1", "B night 1"} << std::size_t(4);
        QTest::newRow("a measurement alone in its night is left out")
            << std::vector<double>{0, 0.1, 1.0} << std::vector<int>{0, 0, 0} << std::vector<std::string>{"A night 1"}
            << std::size_t(2);
        QTest::newRow("half a day apart is another night")
            << std::vector<double>{0, 0.1, 0.6, 0.7} << std::vector<int>{0, 0, 0, 0}
            << std::vector<std::string>{"A night 1", "A night 2"} << std::size_t(4);
        QTest::newRow("no night lasts 0.7 d")
            << std::vector<double>{0, 0.3, 0.6, 0.9, 1.2} << std::vector<int>{0, 0, 0, 0, 0}
            << std::vector<std::string>{"A night 1", "A night 2"} << std::size_t(5);
    }
    void offsetPerNight()
    {
        QFETCH(std::vector<double>, times);
        QFETCH(std::vector<int>, instruments);
        QFETCH(std::vector<std::string>, nights);
        QFETCH(std::size_t, kept);
        DataSet data;
        data.instruments = {"A", "B"};
        data.activity = {{"S-index", {}}};
        for (std::size_t i = 0; i < times.size(); ++i) {
            data.measurements.push_back({2458000 + times[i], double(i), 1.0, instruments[i]});
            data.activity[0].values.push_back(double(i));
        }
        const DataSet split = Observations::offsetPerNight(data);
        QCOMPARE(split.instruments, nights);
        QCOMPARE(split.measurements.size(), kept);
        QCOMPARE(split.activity.size(), std::size_t(1));
        for (std::size_t i = 0; i < kept; ++i)
            QCOMPARE(split.activity[0].values[i], split.measurements[i].velocity);
    }
    void parse_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("error"); // refused with an error that starts with this, when given
        QTest::addColumn<int>("rows");
        QTest::addColumn<QList<double>>("last");      // the last row's time, velocity, uncertainty
        QTest::addColumn<QStringList>("instruments"); // in order of first appearance
        QTest::addColumn<QString>("lastInstrument");

        // The shipped files' layouts (a header with a telescope column, a csv with an unnamed index, .vels with
        // comments and tabs) are read in shippedFiles. Without an instrument column every row gets the default name "given";
        // the last row's instrument is the last listed unless said otherwise.
        const auto accept = [](const char *name, const QByteArray &text, int rows, const QList<double> &last,
                               const QStringList &instruments = {"given"}, const QString &lastInstrument = {}) {
            QTest::newRow(name) << text << QString() << rows << last << instruments
                                << (lastInstrument.isEmpty() ? instruments.back() : lastInstrument);
        };
        const auto refuse = [](const char *name, const QByteArray &text, const char *error) {
            QTest::newRow(name) << text << QString(error) << 0 << QList<double>{} << QStringList{} << QString();
        };
        accept("rdb with its dashed line",
               "rjd\tvrad\tsvrad\n---\t----\t-----\n55000.5\t-3.25\t0.75\n55001.5\t-3.5\t0.5\n", 2,
               {55001.5, -3.5, 0.5});
        accept("sigma, any order, any case", "SIGMA  Inst  RV  HJD\n0.5 A 10 100\n0.25 B 20 101\n", 2, {101, 20, 0.25},
               {"A", "B"});
        accept("unknown and unit columns skipped", "bjd,fwhm,rv[m/s],err[m/s],bis\n1,9,2,3,7\n", 1, {1, 2, 3});
        accept("no header, instrument column", "1 2 3 HIRES\n4 5 6 HARPS\n7 8 9 HIRES\n", 3, {7, 8, 9},
               {"HIRES", "HARPS"}, "HIRES");
        accept("unnamed extra columns after a blank-separated header", "jd rv err\n1 2 3 0.17 9\n", 1, {1, 2, 3});
        accept("CR LF line ends", "time mnvel errvel\r\n1 2 3\r\n4 5 6\r\n", 2, {4, 5, 6});
        accept("CR line ends", "1 2 3\r4 5 6\r", 2, {4, 5, 6});
        accept("no line end at the end", "1 2 3\n4 5 6", 2, {4, 5, 6});
        accept("mixed blanks, tabs, commas", "1,2 , 3\n4\t, 5,\t6\n7  8\t\t9\n", 3, {7, 8, 9});
        accept("semicolons", "jd;rv;err\n1;2;3 # a note\n", 1, {1, 2, 3});
        accept("semicolons and decimal commas", "JD;RV;err\n2459001,185;29,45;3,0\n", 1, {2459001.185, 29.45, 3.0});
        accept("tabs and decimal commas", "2459001,185\t-29,45\t3,5\n", 1, {2459001.185, -29.45, 3.5});
        accept("a header with units", "BJD_TDB (days), RV (m/s), sigma_RV (m/s)\n2459001.185, 29.45, 3.0\n", 1,
               {2459001.185, 29.45, 3.0});
        accept("instrument column of numeric codes", "time mnvel errvel tel\n1 2 3 1\n4 5 6 2\n7 8 9 1\n", 3, {7, 8, 9},
               {"1", "2"}, "1");
        accept("trailing comma", "jd,rv,err,\n1,2,3,\n", 1, {1, 2, 3});
        accept("blank lines and comments anywhere",
               "\n# a\n\n   \t\ntime mnvel errvel\n# b\n1 2 3\n\n  # c\n4 5 6  # a note\n", 2, {4, 5, 6});
        accept("byte-order mark", "\xef\xbb\xbftime mnvel errvel\n1 2 3\n", 1, {1, 2, 3});
        accept("quoted csv", "\"time\",\"mnvel\",\"errvel\",\"tel\"\n1,2,3,\"HARPS-N\"\n", 1, {1, 2, 3}, {"HARPS-N"});
        accept("empty instrument field gets the default", "jd,rv,err,tel\n1,2,3,A\n4,5,6,\n", 2, {4, 5, 6},
               {"A", "given"});
        accept("short row without its instrument", "time mnvel errvel tel\n1 2 3 A\n4 5 6\n", 2, {4, 5, 6},
               {"A", "given"});
        accept("signs and exponents", "+1.5e3 -2E-1 +3e+0\n", 1, {1500, -0.2, 3});
        accept("Latin-1 name in a comment", "# observer: Mich\xe8le\n1 2 3\n", 1, {1, 2, 3});

        refuse("empty", QByteArray(), "the file is empty");
        refuse("blanks only", " \n\t\r\n  ", "the file is empty");
        refuse("comments only", "# nothing\n# here\n", "no measurements");
        refuse("header only", "time mnvel errvel\n", "no measurements");
        refuse("one column", "2450000.1\n2450000.2\n",
               "line 1: expected at least 3 values (time, velocity, uncertainty) but found 1");
        refuse("two columns after three", "1 2 3\n1 2\n", "line 2: expected at least 3 values");
        refuse("NaN velocity", "1 2 3\n\n4 nan 6\n",
               "line 3: the velocity (column 2) should be a finite number but is 'nan'");
        refuse("infinite uncertainty", "1 2 inf\n", "line 1: the uncertainty (column 3) should be a finite number");
        refuse("zero uncertainty", "jd rv err\n1 2 3\n4 5 0\n",
               "line 3: the uncertainty (column 3) must be a positive number but is '0'");
        refuse("NaN in an unused column", "bjd,foo,rv,err\n1,9,2,3\n4,NaN,5,6\n",
               "line 3: column 2 should be a finite number but is 'NaN'");
        refuse("infinity in a fourth column", "1 2 3 -inf\n", "line 1: column 4 should be a finite number");
        refuse("out of range", "1 1e999 3\n", "line 1: the velocity (column 2) is too large for a number");
        refuse("word for a number", "1 2 3\n4 five 6\n",
               "line 2: the velocity (column 2) should be a number but is 'five'");
        refuse("two signs", "1 +-2 3\n", "line 1: the velocity (column 2) should be a number");
        refuse("trailing garbage after a number", "1 2 3\n4 5.5abc 6\n",
               "line 2: the velocity (column 2) should be a number but is '5.5abc'");
        refuse("trailing garbage after the uncertainty", "jd rv err tel\n1 2 3x A\n",
               "line 2: the uncertainty (column 3) should be a number but is '3x'");
        refuse("decimal commas in a comma-separated file", "JD,RV,err\n2459001,185,29,45,3,0\n",
               "line 2: the header names 3 columns but this row has 6 values; if commas are decimal marks here");
        refuse("a negative decimal-comma uncertainty", "JD;RV;err\n1;2;-9,5\n",
               "line 2: the uncertainty (column 3) must be a positive number but is '-9,5'");
        refuse("an unknown velocity unit", "time rv (furlong/fortnight) err\n1 2 3\n",
               "line 1: the header gives the velocity the unit 'furlong/fortnight'");
        refuse("an unknown declared unit", "# value_units = AU/DAY\n1 2 3\n",
               "line 1: the file declares the unit 'AU/DAY'");
        refuse("second header", "jd rv err\n1 2 3\njd rv err\n",
               "line 3: the time (column 1) should be a number but is 'jd'");
        refuse("header without time", "x mnvel errvel\n1 2 3\n", "line 1: the header names no time column");
        refuse("header without velocity", "bjd foo sigma\n1 2 3\n", "line 1: the header names no velocity column");
        refuse("header row with missing field", ",errvel,t,vel\n0,1.5,2364.8\n", "line 2: expected at least 4 values");
        refuse("CR LF line numbers", "1 2 3\r\n4 5 6\r\n7 8 0\r\n", "line 3: the uncertainty");
        refuse("NUL byte", QByteArray("1 2 3\n4 5 6\0\n", 13), "the file is binary (it holds NUL");
        refuse("binary, not UTF-8", repeated("\xff\xfe\x81\x90\x01", 100), "the file is binary (not UTF-8 text)");
        refuse("line too long", "1 2 3\n" + repeated("1", 64 * 1024 + 1) + "\n", "line 2: longer than 65536 bytes");
        refuse("instrument name too long", "1 2 3 " + repeated("n", 257) + "\n",
               "line 1: the instrument's name is longer than 256 bytes");
        // 10⁷ columns on one line and a line of 100 MB: refused by their length before anything splits them.
        refuse("10^7 columns", "time mnvel errvel\n" + repeated("1 ", 10'000'000), "line 2: longer than 65536 bytes");
        refuse("a 100 MB line", QByteArray(100 * 1024 * 1024, '7'), "line 1: longer than 65536 bytes");
        refuse("a million and one rows", repeated("1 2 3\n", 1'000'001),
               "line 1000001: more than 1000000 measurements");
        QByteArray instruments;
        for (int i = 0; i <= 1000; ++i)
            instruments += "1 2 3 inst" + QByteArray::number(i) + "\n";
        refuse("1001 instruments", instruments, "line 1001: more than 1000 different instrument names");
    }

    void parse()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, error);
        QFETCH(int, rows);
        QFETCH(QList<double>, last);
        QFETCH(QStringList, instruments);
        QFETCH(QString, lastInstrument);

        const auto result = parseText(std::string_view(text.constData(), text.size()), "given");
        if (!error.isEmpty()) {
            QVERIFY2(!result.ok() && QString::fromStdString(result.reason()).startsWith(error),
                     result.reason().c_str());
            QVERIFY2(result.reason().find('\n') == std::string::npos, "one line");
            return;
        }
        QVERIFY2(result.ok(), result.reason().c_str());
        QCOMPARE(int(result->data.measurements.size()), rows);
        const Measurement &m = result->data.measurements.back();
        QCOMPARE((QList<double>{m.time, m.velocity, m.uncertainty}), last);
        QCOMPARE(names(result->data), instruments);
        QCOMPARE(QString::fromStdString(result->data.instruments[std::size_t(m.instrument)]), lastInstrument);
    }

    void activity_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("error");        // refused with an error that starts with this, when given
        QTest::addColumn<QStringList>("names");    // the indices, in column order
        QTest::addColumn<QList<double>>("values"); // the indices' values, index after index, NaN where missing
        QTest::addColumn<QString>("note");         // the one note, empty when none
        const double nan = missing;
        const auto read = [](const char *name, const QByteArray &text, const QStringList &names,
                             const QList<double> &values, const char *note = "") {
            QTest::newRow(name) << text << QString() << names << values << QString(note);
        };
        const auto refuse = [](const char *name, const QByteArray &text, const char *error) {
            QTest::newRow(name) << text << QString(error) << QStringList{} << QList<double>{} << QString();
        };
        // One row per family of names, each in a spelling of its own.
        read("S-index as s_mw", "jd rv err S_MW\n1 2 3 0.17\n", {"S-index"}, {0.17});
        read("S-index as s-index", "jd rv err s-index\n1 2 3 0.17\n", {"S-index"}, {0.17});
        read("log R'HK as log(r'hk)", "jd rv err log(R'HK)\n1 2 3 -4.91\n", {"log R'HK"}, {-4.91});
        read("Hα as hα", "jd rv err Hα\n1 2 3 0.05\n", {"Hα"}, {0.05});
        read("FWHM with its unit", "jd;rv;err;FWHM [km/s]\n1;2;3;7,25\n", {"FWHM"}, {7.25});
        read("bisector span as BIS_SPAN", "jd rv err BIS_SPAN\n1 2 3 -12\n", {"bisector span"}, {-12});
        read("several, in column order, their errors skipped",
             "bjd,fwhm,e_fwhm,rv,err,sig_s,s_index,bis,sig_bis_span,fwhm_err\n1,9,0.1,2,3,0.01,0.2,-5,2,0.1\n",
             {"FWHM", "S-index", "bisector span"}, {9, 0.2, -5});
        read("no header: numeric columns after the uncertainty", "1 2 3 0.17\n4 5 6 0.18 9\n", {"column 4"},
             {0.17, 0.18});
        read("no header: after the instrument", "1 2 3 HIRES 0.5 -4.9\n", {"column 5", "column 6"}, {0.5, -4.9});
        // Missing values, each kind, and the note that counts them.
        read("nan, NaN and an empty field", "jd,rv,err,fwhm\n1,2,3,nan\n4,5,6,7\n7,8,9,NaN\n10,11,12,\n", {"FWHM"},
             {nan, 7, nan, nan}, "FWHM: missing in 3 of 4 rows (lines 2, 4, 5)");
        read("a missing trailing field", "jd rv err bis\n1 2 3\n4 5 6 -7\n", {"bisector span"}, {nan, -7},
             "bisector span: missing in 1 of 2 rows (line 2)");
        read("the first few lines named", "1 2 3 0.1\n1 2 3\n1 2 3\n1 2 3\n1 2 3\n1 2 3\n1 2 3\n", {"column 4"},
             {0.1, nan, nan, nan, nan, nan, nan}, "column 4: missing in 6 of 7 rows (lines 2, 3, 4, 5, 6, …)");
        read("an index no row gives is left out", "jd rv err s\n1 2 3 nan\n", {}, {}, "S-index: no row gives a value");
        refuse("text in an index", "jd rv err s\n1 2 3 0.1\n4 5 6 high\n",
               "line 3: the S-index (column 4) should be a number but is 'high'");
        refuse("text in a headerless index", "1 2 3 0.1\n4 5 6 HARPS\n",
               "line 2: column 4 should be a number but is 'HARPS'");
        refuse("infinity in an index", "jd rv err fwhm\n1 2 3 inf\n",
               "line 2: the FWHM (column 4) should be a finite number but is 'inf'");
        refuse("a velocity stays strict beside an index", "jd rv err fwhm\n1 nan 3 7\n",
               "line 2: the velocity (column 2) should be a finite number");
    }

    void activity()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, error);
        QFETCH(QStringList, names);
        QFETCH(QList<double>, values);
        QFETCH(QString, note);
        const auto result = parseText(std::string_view(text.constData(), text.size()), "given");
        if (!error.isEmpty()) {
            QVERIFY2(!result.ok() && QString::fromStdString(result.reason()).startsWith(error),
                     result.reason().c_str());
            return;
        }
        QVERIFY2(result.ok(), result.reason().c_str());
        QCOMPARE(indexNames(result->data), names);
        QCOMPARE(allValues(result->data), values);
        QCOMPARE(result->notes.size(), std::size_t(note.isEmpty() ? 0 : 1));
        if (!note.isEmpty())
            QVERIFY2(QString::fromStdString(result->notes.front()).startsWith(note), result->notes.front().c_str());
    }

    void units_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("chosen");          // 0 none, 1 m/s, 1000 km/s
        QTest::addColumn<QList<double>>("first"); // the first row's velocity and uncertainty, m/s (1 km/s = 1000 m/s)
        QTest::addColumn<QString>("note");        // the one note, empty when none
        QTest::addColumn<bool>("unweighted");     // the instrument has no uncertainties
        const auto row = [](const char *name, const QByteArray &text, int chosen, const QList<double> &first,
                            const char *note = "", bool unweighted = false) {
            QTest::newRow(name) << text << chosen << first << QString(note) << unweighted;
        };
        const char *converted = "velocities converted from km/s to m/s";
        row("value_units KM/S", "# value_units = KM/S\n1 13.9884 0.009\n", 0, {13.9884 * 1000, 0.009 * 1000},
            converted);
        row("value_units M/S", "# value_units = M/S\n1 -52.9 4.1\n", 0, {-52.9, 4.1});
        row("rv_kms", "time rv_kms err\n1 0.5 0.002\n", 0, {0.5 * 1000, 0.002 * 1000}, converted);
        row("RV [km/s] with err [m/s]", "jd RV [km/s] err [m/s]\n1 1.5 3\n", 0, {1500, 3}, converted);
        row("vel (km/s), its error unlabelled", "time vel (km/s) errvel\n1 -0.25 0.004\n", 0,
            {-0.25 * 1000, 0.004 * 1000}, converted);
        row("km/s chosen", "1 13.9 0.009\n", 1000, {13.9 * 1000, 0.009 * 1000}, converted);
        row("m/s chosen over the file's km/s", "# value_units = KM/S\n1 2 3\n", 1, {2, 3},
            "velocities taken as m/s as chosen, although the file declares km/s");
        row("km/s-looking numbers, nothing declared", "1 13.9884 0.009\n2 13.9911 0.005\n", 0, {13.9884, 0.009},
            "warning: the file declares no unit, and its uncertainties (median 0.009) are far below");
        row("no uncertainty column", "jd rv\n1 2\n", 0, {2, 1},
            "no uncertainty column: every measurement weighs the same", true);
        row("two columns without a header", "1 2\n3 4 HIRES\n", 0, {2, 1}, "no uncertainty column", true);
    }

    void units()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, chosen);
        QFETCH(QList<double>, first);
        QFETCH(QString, note);
        QFETCH(bool, unweighted);
        ReadOptions options;
        if (chosen)
            options.velocityUnit = chosen == 1000 ? VelocityUnit::KilometresPerSecond : VelocityUnit::MetresPerSecond;
        const auto result = parseText(std::string_view(text.constData(), text.size()), "given", options);
        QVERIFY2(result.ok(), result.reason().c_str());
        const Measurement &m = result->data.measurements.front();
        QCOMPARE((QList<double>{m.velocity, m.uncertainty}), first);
        QCOMPARE(result->notes.size(), std::size_t(note.isEmpty() ? 0 : 1));
        if (!note.isEmpty())
            QVERIFY2(QString::fromStdString(result->notes.front()).startsWith(note), result->notes.front().c_str());
        QCOMPARE(result->data.lacksUncertainties(m.instrument), unweighted);
    }

    void instrumentFromFileName_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("instrument");
        // The catalog's convention, a dotted name and a plain stem come with the shipped files.
        QTest::newRow("underscore kept") << "/a/X_2_A_B.vels"
                                         << "A_B";
        QTest::newRow("not a number between") << "k2-24_rv_x.csv"
                                              << "k2-24_rv_x";
    }

    void instrumentFromFileName()
    {
        QFETCH(QString, path);
        QFETCH(QString, instrument);
        QCOMPARE(QString::fromStdString(instrumentNameFromFile(path.toStdString())), instrument);
    }

    void shippedFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("star"); // and its mass, for a system file
        QTest::addColumn<double>("mass");
        QTest::addColumn<QList<double>>("ends"); // the first row's time, velocity, uncertainty; the last time
        QTest::addColumn<QStringList>("instruments");
        QTest::addColumn<QList<int>>("counts");

        // Name and Mass from each .sys file; counts with `grep -vc '^#'` and values with head and tail on each file.
        const auto row = [](const char *name, const char *star, double mass, const QStringList &instruments,
                            const QList<int> &counts, const QList<double> &ends = {}) {
            QTest::newRow(name) << QString(name) << QString(star) << mass << ends << instruments << counts;
        };
        row("k2-24_rv.csv", "", 0, {"k2-24_rv"}, {32},
            {2364.81958, 6.95906630745, 1.59372460842, 2465.71074}); // columns out of order
        row("k2-131_rv.txt", "", 0, {"harps-n", "pfs"}, {39, 31}, {2457782.65615, -6682.78, 3.71, 2457848.81068});
        row("51Peg_2_ELODIE.vels", "", 0, {"ELODIE"}, {153}, {2449610.5268, -6.0, 9.0, 2452887.5339});
        row("51peg.sys", "51 Peg", 1.12, {"LICK", "ELODIE"}, {256, 153}, {2450002.665695, -52.9, 4.1, 2452887.5339});
        row("HD209458.sys", "HD 209458", 1.15, {"ELODIE", "EULER", "KECK"}, {46, 141, 85});
        row("HD149026.sys", "HD 149026", 1.34, {"SUBARU", "KECK"}, {4, 16});
        row("HD17156.sys", "HD 17156", 1.24, {"TNG", "HJS", "HET", "SUBARU", "KECK", "1.88M"}, {29, 18, 13, 9, 34, 25});
        row("55Cnc.sys", "55 Cnc", 0.91, {"LICK", "KECK", "ELODIE", "HET"}, {250, 70, 48, 119});
        row("47uma.sys", "47 UMa", 1.03, {"HJS", "HET", "ELODIE", "LICK"}, {43, 77, 44, 91});
        row("16cygB.sys", "16 Cyg B", 0.99, {"LICK", "HJS", "HJS_2"},
            {95, 450, 29}); // two HJS files stay two instruments
        // The only file in km/s (its header says value_units = KM/S; CORALIE's uncertainties of 0.005 km/s).
        row("HD202206.sys", "HD 202206", 1.15, {"EULER"}, {95},
            {2451402.802702, 13.9884 * 1000, 0.009 * 1000, 2452219.556333});
    }

    void shippedFiles()
    {
        QFETCH(QString, name);
        QFETCH(QString, star);
        QFETCH(double, mass);
        QFETCH(QList<double>, ends);
        QFETCH(QStringList, instruments);
        QFETCH(QList<int>, counts);

        const auto result = loadFile(file(name.toStdString()));
        QVERIFY2(result.ok(), result.reason().c_str());
        checkInstruments(result->data, instruments, counts);
        const auto &m = result->data.measurements;
        if (!ends.isEmpty())
            QCOMPARE((QList<double>{m.front().time, m.front().velocity, m.front().uncertainty, m.back().time}), ends);
        if (!star.isEmpty()) {
            const auto system = loadSystemFile(file(name.toStdString()));
            QVERIFY2(system.ok(), system.reason().c_str());
            QCOMPARE(QString::fromStdString(system->name), star);
            QCOMPARE(system->starMassSolar, mass);
        }
    }

    void shippedSetsLoad()
    {
        QCOMPARE(int(shippedSets().size()), 10);
        for (const ShippedSet &set : shippedSets()) {
            const auto result = loadFile(file(set.fileName));
            QVERIFY2(result.ok() && !set.title.empty(), (set.fileName + ": " + result.reason()).c_str());
        }
    }

    void fileRefusals_data()
    {
        QTest::addColumn<QString>("name");      // of the file loaded, in a folder that also holds x.sys and the others
        QTest::addColumn<QByteArray>("system"); // x.sys
        QTest::addColumn<QString>("error");
        const auto row = [](const char *name, const QByteArray &system, const char *error, const char *file = "x.sys") {
            QTest::newRow(name) << QString(file) << system << QString(error);
        };
        row("no mass", "Name\tX\nRV[]\tX_1_A.vels\n", "the system file gives no Mass");
        row("mass not a number", "Name\tX\nMass\theavy\nRV[]\tX_1_A.vels\n", "line 2: Mass must be");
        row("mass zero", "Mass 0\nRV[] X_1_A.vels\n", "line 1: Mass must be");
        row("no velocity file", "Name\tX\nMass\t1\n", "the system file names no velocity file");
        row("a file in another folder", "Mass\t1\nRV[]\t../X_1_A.vels\n",
            "line 2: RV[] must name a file in the same folder");
        row("missing velocity file", "Mass\t1\nRV[]\tX_1_A.vels\nRV[]\tnone.vels\n", "no such file: none.vels");
        row("bad line in a velocity file", "Mass\t1\nRV[]\tX_1_A.vels\nRV[]\tX_2_B.vels\n",
            "X_2_B.vels: line 3: the uncertainty (column 3) must be a positive number");
        row("binary system file", QByteArray("Mass\t1\0", 7), "the system file is binary");
        row("absent file", {}, "no such file: absent.txt", "absent.txt");
        row("a folder", {}, "sub is a folder, not a file", "sub");
        // A sparse file just over the limit: refused by its size, never read.
        row("a file over the limit", {}, "big.txt is larger than 256 MiB: refused", "big.txt");
    }

    void fileRefusals()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, system);
        QFETCH(QString, error);
        QTemporaryDir dir;
        QVERIFY(dir.isValid() && QDir(dir.path()).mkdir("sub"));
        writeFile(dir.filePath("X_1_A.vels"), "# good\n1 2 3\n");
        writeFile(dir.filePath("X_2_B.vels"), "# bad\n1 2 3\n4 5 0\n");
        writeFile(dir.filePath("x.sys"), system.toStdString());
        writeFile(dir.filePath("big.txt"), "");
        std::filesystem::resize_file(dir.filePath("big.txt").toStdString(), maxTextBytes + 1);
        const std::string path = dir.filePath(name).toStdString();
        const auto result = loadFile(path);
        QVERIFY2(!result.ok() && QString::fromStdString(result.reason()).startsWith(error), result.reason().c_str());
        if (name.endsWith(".sys"))
            QCOMPARE(loadSystemFile(path).reason(), result.reason());
    }

    void writerText()
    {
        DataSet data;
        data.instruments = {"HARPS N", "a,b#c", "", "\"x\"\t\x01\xff\xc3\xa9", std::string(300, 'n')};
        data.measurements = {
            {2450000.5, -12.25, 1.5, 0}, {0.1, 1e-7, 3, 1}, {-2, 1e22, 0.125, 2}, {1, 2, 3, 3}, {4, 5, 6, 4}};
        QCOMPARE(toText(data),
                 "time mnvel errvel tel\n2450000.5 -12.25 1.5 HARPS_N\n0.1 1e-07 3 a_b_c\n"
                 "-2 1e+22 0.125 default\n1 2 3 _x____\xc3\xa9\n4 5 6 "
                     + std::string(256, 'n') + "\n");
    }

    void writerRoundTrip()
    {
        DataSet data;
        data.instruments = {"HIRES", "HARPS N"};
        data.measurements = {{2454833.0 + 1.0 / 3.0, 0.1 + 0.2, 1.0 / 7.0, 0},
                             {2460000.123456789, -6682.780000000001, 5e-300, 1},
                             {-0.0, 1e300, 4.9406564584124654e-324 * 3, 0},
                             {1234567.8901234567, -1.0 / 3.0, 2.2250738585072014e-308, 1}};
        // Every family's name comes back, and a missing value stays missing.
        const double nan = std::nan("");
        data.activity = {{"S-index", {0.1 + 0.2, nan, 1.0 / 3.0, -0.0}},
                         {"log R'HK", {-4.9, -5, -4.75, -4.8}},
                         {"Hα", {nan, nan, nan, 0.05}},
                         {"FWHM", {7, 7.5, 1e-300, 8}},
                         {"bisector span", {-12, 3, 4, 5}},
                         {"column 7", {1, 2, 3, 4}}};
        const auto back = parseText(toText(data), "unused");
        QVERIFY2(back.ok(), back.reason().c_str());
        QCOMPARE(back->data.instruments, (std::vector<std::string>{"HIRES", "HARPS_N"}));
        QCOMPARE(indexNames(back->data), indexNames(data));
        QCOMPARE(allValues(back->data), allValues(data));
        QVERIFY(sameDouble(back->data.activity[0].values[0], 0.1 + 0.2));
        QCOMPARE(back->data.measurements.size(), data.measurements.size());
        for (std::size_t i = 0; i < data.measurements.size(); ++i) {
            const Measurement &a = data.measurements[i];
            const Measurement &b = back->data.measurements[i];
            QVERIFY2(sameDouble(a.time, b.time) && sameDouble(a.velocity, b.velocity)
                         && sameDouble(a.uncertainty, b.uncertainty) && a.instrument == b.instrument,
                     qPrintable(QString("row %1").arg(i)));
        }
    }

    // Indices matched by name across the files of a system, missing where a file lacks one.
    void systemFileAlignsActivity()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        writeFile(dir.filePath("X_1_A.vels"), "jd rv err s_mw fwhm\n1 2 3 0.1 7\n");
        writeFile(dir.filePath("X_2_B.vels"), "jd rv err fwhm bis\n4 5 6 8 -1\n5 6 7 9 -2\n");
        writeFile(dir.filePath("X_3_C.vels"), "1 2 3\n");
        writeFile(dir.filePath("x.sys"), "Mass 1\nRV[] X_1_A.vels\nRV[] X_2_B.vels\nRV[] X_3_C.vels\n");
        const auto system = loadSystemFile(dir.filePath("x.sys").toStdString());
        QVERIFY2(system.ok(), system.reason().c_str());
        QCOMPARE(indexNames(system->data), (QStringList{"S-index", "FWHM", "bisector span"}));
        QCOMPARE(allValues(system->data),
                 (QList<double>{0.1, missing, missing, missing, 7, 8, 9, missing, missing, -1, -2, missing}));
    }

    void dataFolder()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const std::filesystem::path root = dir.path().toStdString();
        std::filesystem::create_directories(root / "bin");
        QCOMPARE(rvDataFolder(root / "bin"), std::filesystem::path(dataDir));
        std::filesystem::create_directories(root / "share" / "orbiquest9" / "rv");
        QCOMPARE(rvDataFolder(root / "bin"), root / "share" / "orbiquest9" / "rv");
    }
};

QTEST_APPLESS_MAIN(TestRvReader)
#include "tst_rvreader.moc"
