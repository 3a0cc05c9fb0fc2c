#include "observations/datafolder.h"
#include "observations/rvreader.h"
#include "observations/rvwriter.h"

#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <fstream>
#include <numeric>
#include <string>

using namespace Observations;

Q_DECLARE_METATYPE(Observations::Column)
Q_DECLARE_METATYPE(Observations::DataSet)

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

// The instruments in order of first appearance, each with its count of rows.
void checkInstruments(const DataSet &data, const QStringList &instruments, const QList<int> &counts)
{
    QCOMPARE(int(data.instruments.size()), instruments.size());
    for (qsizetype i = 0; i < instruments.size(); ++i) {
        QCOMPARE(QString::fromStdString(data.instruments[std::size_t(i)]), instruments[i]);
        QCOMPARE(std::count_if(data.measurements.begin(), data.measurements.end(),
                               [&](const Measurement &m) { return m.instrument == int(i); }),
                 std::ptrdiff_t(counts[i]));
    }
    QCOMPARE(std::accumulate(counts.begin(), counts.end(), 0), int(data.measurements.size()));
}

} // namespace

class TestRvReader : public QObject
{
    Q_OBJECT

private slots:
    void accepts_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("rows");
        QTest::addColumn<double>("lastTime");
        QTest::addColumn<double>("lastVelocity");
        QTest::addColumn<double>("lastUncertainty");
        QTest::addColumn<QStringList>("instruments"); // in order of first appearance
        QTest::addColumn<QString>("lastInstrument");

        // Without an instrument column every row gets the default name "given";
        // the last row's instrument is the last listed unless said otherwise.
        const auto row = [](const char *name, const QByteArray &text, int rows, double t, double v, double u,
                            const QStringList &instruments = {"given"}, const QString &last = {}) {
            QTest::newRow(name) << text << rows << t << v << u << instruments << (last.isEmpty() ? instruments.back() : last);
        };
        row("time mnvel errvel tel", "time mnvel errvel tel\n2457782.65615 -6682.78 3.71 harps-n\n2457848.81068 10.63 5.45 pfs\n",
            2, 2457848.81068, 10.63, 5.45, {"harps-n", "pfs"});
        row("jd rv err", "jd rv err\n1 2 3\n4 5 6\n", 2, 4, 5, 6);
        row("rdb with its dashed line", "rjd\tvrad\tsvrad\n---\t----\t-----\n55000.5\t-3.25\t0.75\n55001.5\t-3.5\t0.5\n", 2,
            55001.5, -3.5, 0.5);
        row("sigma, any order, any case", "SIGMA  Inst  RV  HJD\n0.5 A 10 100\n0.25 B 20 101\n", 2, 101, 20, 0.25, {"A", "B"});
        row("csv with an unnamed index column", ",errvel,t,vel\n0,1.5,2364.8,6.9\n1,1.6,2365.5,-2\n", 2, 2365.5, -2, 1.6);
        row("unknown and unit columns skipped", "bjd,fwhm,rv[m/s],err[m/s],bis\n1,9,2,3,7\n", 1, 1, 2, 3);
        row(".vels: comments, tabs, leading blanks",
            "# telescope = X\n# value_units = M/S\n  2450002.665695\t-52.9\t4.1\n"
            "  2450002.684340             -45.8                           4.8\n",
            2, 2450002.684340, -45.8, 4.8);
        row("no header, three columns", "1 2 3\n", 1, 1, 2, 3);
        row("no header, instrument column", "1 2 3 HIRES\n4 5 6 HARPS\n7 8 9 HIRES\n", 3, 7, 8, 9, {"HIRES", "HARPS"}, "HIRES");
        row("no header, numeric fourth column ignored", "1 2 3 0.17\n4 5 6 0.18 9\n", 2, 4, 5, 6);
        row("CR LF line ends", "time mnvel errvel\r\n1 2 3\r\n4 5 6\r\n", 2, 4, 5, 6);
        row("CR line ends", "1 2 3\r4 5 6\r", 2, 4, 5, 6);
        row("no line end at the end", "1 2 3\n4 5 6", 2, 4, 5, 6);
        row("mixed blanks, tabs, commas", "1,2 , 3\n4\t, 5,\t6\n7  8\t\t9\n", 3, 7, 8, 9);
        row("semicolons", "jd;rv;err\n1;2;3\n", 1, 1, 2, 3);
        row("trailing comma", "jd,rv,err,\n1,2,3,\n", 1, 1, 2, 3);
        row("blank lines and comments anywhere", "\n# a\n\n   \t\ntime mnvel errvel\n# b\n1 2 3\n\n  # c\n4 5 6  # a note\n", 2,
            4, 5, 6);
        row("byte-order mark", "\xef\xbb\xbftime mnvel errvel\n1 2 3\n", 1, 1, 2, 3);
        row("quoted csv", "\"time\",\"mnvel\",\"errvel\",\"tel\"\n1,2,3,\"HARPS-N\"\n", 1, 1, 2, 3, {"HARPS-N"});
        row("empty instrument field gets the default", "jd,rv,err,tel\n1,2,3,A\n4,5,6,\n", 2, 4, 5, 6, {"A", "given"});
        row("short row without its instrument", "time mnvel errvel tel\n1 2 3 A\n4 5 6\n", 2, 4, 5, 6, {"A", "given"});
        row("signs and exponents", "+1.5e3 -2E-1 +3e+0\n", 1, 1500, -0.2, 3);
        row("Latin-1 name in a comment", "# observer: Mich\xe8le\n1 2 3\n", 1, 1, 2, 3);
    }

    void accepts()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, rows);
        QFETCH(double, lastTime);
        QFETCH(double, lastVelocity);
        QFETCH(double, lastUncertainty);
        QFETCH(QStringList, instruments);
        QFETCH(QString, lastInstrument);

        const LoadResult result = parseText(std::string_view(text.constData(), text.size()), "given");
        QVERIFY2(result.ok(), result.error.c_str());
        QCOMPARE(int(result.data.measurements.size()), rows);
        const Measurement &last = result.data.measurements.back();
        QCOMPARE(last.time, lastTime);
        QCOMPARE(last.velocity, lastVelocity);
        QCOMPARE(last.uncertainty, lastUncertainty);
        QStringList names;
        for (const std::string &name : result.data.instruments)
            names << QString::fromStdString(name);
        QCOMPARE(names, instruments);
        QCOMPARE(QString::fromStdString(result.data.instruments[std::size_t(last.instrument)]), lastInstrument);
    }

    void refuses_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("error"); // the error starts with this

        const auto row = [](const char *name, const QByteArray &text, const char *error) {
            QTest::newRow(name) << text << QString(error);
        };
        row("empty", QByteArray(), "the file is empty");
        row("blanks only", " \n\t\r\n  ", "the file is empty");
        row("comments only", "# nothing\n# here\n", "no measurements");
        row("header only", "time mnvel errvel\n", "no measurements");
        row("one column", "2450000.1\n2450000.2\n", "line 1: expected at least 3 fields");
        row("two columns", "1 2 3\n1 2\n", "line 2: expected at least 3 fields");
        row("NaN velocity", "1 2 3\n\n4 nan 6\n", "line 3: velocity is not finite");
        row("NaN time", "NaN 2 3\n", "line 1: time is not finite");
        row("infinite uncertainty", "1 2 inf\n", "line 1: uncertainty is not finite");
        row("zero uncertainty", "jd rv err\n1 2 3\n4 5 0\n", "line 3: uncertainty must be > 0");
        row("negative uncertainty", "1 2 -3\n", "line 1: uncertainty must be > 0");
        row("NaN in an unused column", "bjd,fwhm,rv,err\n1,9,2,3\n4,NaN,5,6\n",
            "line 3: column 2 is not a finite number: 'NaN'");
        row("infinity in a fourth column", "1 2 3 -inf\n", "line 1: column 4 is not a finite");
        row("out of range", "1 1e999 3\n", "line 1: velocity is out of range");
        row("word for a number", "1 2 3\n4 five 6\n", "line 2: velocity is not a number");
        row("two signs", "1 +-2 3\n", "line 1: velocity is not a number");
        row("second header", "jd rv err\n1 2 3\njd rv err\n", "line 3: time is not a number");
        row("header without uncertainty", "jd rv\n1 2\n", "line 1: the header has no uncertainty");
        row("header without time", "x mnvel errvel\n1 2 3\n", "line 1: the header has no time");
        row("header without velocity", "bjd foo sigma\n1 2 3\n", "line 1: the header has no velocity");
        row("header row with missing field", ",errvel,t,vel\n0,1.5,2364.8\n", "line 2: expected at least 4 fields");
        row("CR LF line numbers", "1 2 3\r\n4 5 6\r\n7 8 0\r\n", "line 3: uncertainty");
        row("NUL byte", QByteArray("1 2 3\n4 5 6\0\n", 13), "the file is binary (it holds NUL");
        row("binary, not UTF-8", repeated("\xff\xfe\x81\x90\x01", 100), "the file is binary (not UTF-8 text)");
        row("line too long", QByteArray("1 2 3\n" + repeated("1", 64 * 1024 + 1) + "\n"),
            "line 2: longer than 65536 bytes");
        row("instrument name too long", QByteArray("1 2 3 " + repeated("n", 257) + "\n"),
            "line 1: instrument name longer than 256 bytes");
        row("line too long at the end", QByteArray("1 2 3\n" + repeated("1 ", 40000)), "line 2: longer than");
        // 10⁷ columns on one line and a line of 100 MB: refused by their length before anything splits them.
        row("10^7 columns", QByteArray("time mnvel errvel\n" + repeated("1 ", 10'000'000)),
            "line 2: longer than 65536 bytes");
        row("a 100 MB line", QByteArray(100 * 1024 * 1024, '7'), "line 1: longer than 65536 bytes");
        row("a million and one rows", repeated("1 2 3\n", 1'000'001), "line 1000001: more than 1000000 measurements");
        QTest::newRow("1001 instruments") << [] {
            QByteArray text;
            for (int i = 0; i <= 1000; ++i)
                text += "1 2 3 inst" + QByteArray::number(i) + "\n";
            return text;
        }() << "line 1001: more than 1000 different instrument names";
    }

    void refuses()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, error);

        const LoadResult result = parseText(std::string_view(text.constData(), text.size()), "x");
        QVERIFY(!result.ok());
        QVERIFY2(QString::fromStdString(result.error).startsWith(error), result.error.c_str());
        QVERIFY2(result.error.find('\n') == std::string::npos, "one line");
        QVERIFY(result.data.measurements.empty());
        QVERIFY(result.data.instruments.empty());
    }

    void columnNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Column>("column");

        for (const auto &[name, column] : std::initializer_list<std::pair<const char *, Column>>{
                 {"time", Column::Time}, {"t", Column::Time}, {"BJD_TDB", Column::Time}, {"bjd", Column::Time},
                 {"mjd", Column::Time}, {"rjd", Column::Time}, {"vel", Column::Velocity},
                 {"Mnvel", Column::Velocity}, {"rv [m/s]", Column::Velocity}, {"vrad", Column::Velocity},
                 {"e_rv", Column::Uncertainty}, {"rv_err", Column::Uncertainty}, {"svrad", Column::Uncertainty}, {"errvel", Column::Uncertainty},
                 {"tel", Column::Instrument}, {"Instrument", Column::Instrument},
                 {"", Column::Ignored}, {"fwhm", Column::Ignored}, {"timestamp", Column::Ignored}}) // no prefix match
            QTest::addRow("'%s'", name) << QString(name) << column;
    }

    void columnNames()
    {
        QFETCH(QString, name);
        QFETCH(Column, column);
        QCOMPARE(columnFromName(name.toStdString()), column);
    }

    void instrumentFromFileName_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("instrument");

        QTest::newRow("catalog file") << "/a/51Peg_1_LICK.vels" << "LICK";
        QTest::newRow("dotted instrument") << "HD17156_6_1.88M.vels" << "1.88M";
        QTest::newRow("underscore kept") << "X_2_A_B.vels" << "A_B";
        QTest::newRow("not a number between") << "k2-24_rv_x.csv" << "k2-24_rv_x";
        QTest::newRow("plain stem") << "k2-24_rv.csv" << "k2-24_rv";
    }

    void instrumentFromFileName()
    {
        QFETCH(QString, path);
        QFETCH(QString, instrument);
        QCOMPARE(QString::fromStdString(instrumentNameFromFile(path.toStdString())), instrument);
    }

    void realFiles_data()
    {
        // Counts and values read off the files with wc, head and tail.
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("firstTime");
        QTest::addColumn<double>("firstVelocity");
        QTest::addColumn<double>("firstUncertainty");
        QTest::addColumn<double>("lastTime");
        QTest::addColumn<QStringList>("instruments");
        QTest::addColumn<QList<int>>("counts");

        QTest::newRow("k2-24: CSV, columns out of order") << "k2-24_rv.csv" << 2364.81958 << 6.95906630745 << 1.59372460842
                                                          << 2465.71074 << QStringList{"k2-24_rv"} << QList<int>{32};
        QTest::newRow("k2-131: two instruments") << "k2-131_rv.txt" << 2457782.65615 << -6682.78 << 3.71 << 2457848.81068
                                                 << QStringList{"harps-n", "pfs"} << QList<int>{39, 31};
        QTest::newRow("one .vels file") << "51Peg_2_ELODIE.vels" << 2449610.5268 << -6.0 << 9.0 << 2452887.5339
                                        << QStringList{"ELODIE"} << QList<int>{153};
        QTest::newRow("51peg.sys") << "51peg.sys" << 2450002.665695 << -52.9 << 4.1 << 2452887.5339
                                   << QStringList{"LICK", "ELODIE"} << QList<int>{256, 153};
    }

    void realFiles()
    {
        QFETCH(QString, name);
        QFETCH(double, firstTime);
        QFETCH(double, firstVelocity);
        QFETCH(double, firstUncertainty);
        QFETCH(double, lastTime);
        QFETCH(QStringList, instruments);
        QFETCH(QList<int>, counts);

        const LoadResult result = loadFile(file(name.toStdString()));
        QVERIFY2(result.ok(), result.error.c_str());
        const auto &m = result.data.measurements;
        QVERIFY(!m.empty());
        QCOMPARE(m.front().time, firstTime);
        QCOMPARE(m.front().velocity, firstVelocity);
        QCOMPARE(m.front().uncertainty, firstUncertainty);
        QCOMPARE(m.back().time, lastTime);
        checkInstruments(result.data, instruments, counts);
    }

    void systems_data()
    {
        // Name and Mass from each .sys file; counts from `grep -vc '^#'` on each .vels file.
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("star");
        QTest::addColumn<double>("mass");
        QTest::addColumn<QStringList>("instruments");
        QTest::addColumn<QList<int>>("counts");

        QTest::newRow("51peg") << "51peg.sys" << "51 Peg" << 1.12 << QStringList{"LICK", "ELODIE"} << QList<int>{256, 153};
        QTest::newRow("HD209458") << "HD209458.sys" << "HD 209458" << 1.15 << QStringList{"ELODIE", "EULER", "KECK"}
                                  << QList<int>{46, 141, 85};
        QTest::newRow("HD149026") << "HD149026.sys" << "HD 149026" << 1.34 << QStringList{"SUBARU", "KECK"}
                                  << QList<int>{4, 16};
        QTest::newRow("HD17156") << "HD17156.sys" << "HD 17156" << 1.24
                                 << QStringList{"TNG", "HJS", "HET", "SUBARU", "KECK", "1.88M"}
                                 << QList<int>{29, 18, 13, 9, 34, 25};
        QTest::newRow("55Cnc") << "55Cnc.sys" << "55 Cnc" << 0.91 << QStringList{"LICK", "KECK", "ELODIE", "HET"}
                               << QList<int>{250, 70, 48, 119};
        QTest::newRow("47uma") << "47uma.sys" << "47 UMa" << 1.03 << QStringList{"HJS", "HET", "ELODIE", "LICK"}
                               << QList<int>{43, 77, 44, 91};
        QTest::newRow("16cygB: two HJS files stay two instruments")
            << "16cygB.sys" << "16 Cyg B" << 0.99 << QStringList{"LICK", "HJS", "HJS_2"} << QList<int>{95, 450, 29};
        QTest::newRow("HD202206") << "HD202206.sys" << "HD 202206" << 1.15 << QStringList{"EULER"} << QList<int>{95};
    }

    void systems()
    {
        QFETCH(QString, name);
        QFETCH(QString, star);
        QFETCH(double, mass);
        QFETCH(QStringList, instruments);
        QFETCH(QList<int>, counts);

        const SystemResult result = loadSystemFile(file(name.toStdString()));
        QVERIFY2(result.ok(), result.error.c_str());
        QCOMPARE(QString::fromStdString(result.system.name), star);
        QCOMPARE(result.system.starMassSolar, mass);
        checkInstruments(result.system.data, instruments, counts);
    }

    void systemRefusals_data()
    {
        QTest::addColumn<QByteArray>("system");
        QTest::addColumn<QString>("error");

        QTest::newRow("no mass") << QByteArray("Name\tX\nRV[]\tX_1_A.vels\n") << "the system file gives no Mass";
        QTest::newRow("mass not a number") << QByteArray("Name\tX\nMass\theavy\nRV[]\tX_1_A.vels\n")
                                           << "line 2: Mass must be";
        QTest::newRow("mass zero") << QByteArray("Mass 0\nRV[] X_1_A.vels\n") << "line 1: Mass must be";
        QTest::newRow("no velocity file") << QByteArray("Name\tX\nMass\t1\n") << "the system file names no velocity file";
        QTest::newRow("a file in another folder") << QByteArray("Mass\t1\nRV[]\t../X_1_A.vels\n")
                                                  << "line 2: RV[] must name a file in the same folder";
        QTest::newRow("missing velocity file") << QByteArray("Mass\t1\nRV[]\tX_1_A.vels\nRV[]\tnone.vels\n")
                                               << "no such file: none.vels";
        QTest::newRow("bad line in a velocity file") << QByteArray("Mass\t1\nRV[]\tX_1_A.vels\nRV[]\tX_2_B.vels\n")
                                                     << "X_2_B.vels: line 3: uncertainty must be > 0";
        QTest::newRow("binary system file") << QByteArray("Mass\t1\0", 7) << "the system file is binary";
    }

    void systemRefusals()
    {
        QFETCH(QByteArray, system);
        QFETCH(QString, error);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        writeFile(dir.filePath("X_1_A.vels"), "# good\n1 2 3\n");
        writeFile(dir.filePath("X_2_B.vels"), "# bad\n1 2 3\n4 5 0\n");
        writeFile(dir.filePath("x.sys"), system.toStdString());

        const SystemResult result = loadSystemFile(dir.filePath("x.sys").toStdString());
        QVERIFY2(QString::fromStdString(result.error).startsWith(error), result.error.c_str());
        QVERIFY(result.system.data.measurements.empty());
        QCOMPARE(loadFile(dir.filePath("x.sys").toStdString()).error, result.error);
    }

    void fileRefusals()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QCOMPARE(loadFile(dir.filePath("absent.txt").toStdString()).error, std::string("no such file: absent.txt"));
        QVERIFY(QString::fromStdString(loadFile(dir.path().toStdString()).error).endsWith("is a folder, not a file"));

        // A sparse file just over the limit: refused by its size, never read.
        const std::string big = dir.filePath("big.txt").toStdString();
        writeFile(QString::fromStdString(big), "");
        std::filesystem::resize_file(big, maxTextBytes + 1);
        QCOMPARE(loadFile(big).error, std::string("big.txt is larger than 256 MiB: refused"));
    }

    void writerText()
    {
        DataSet data;
        data.instruments = {"HARPS N", "a,b#c", "", "\"x\"\t\x01\xff\xc3\xa9", std::string(300, 'n')};
        data.measurements = {{2450000.5, -12.25, 1.5, 0}, {0.1, 1e-7, 3, 1}, {-2, 1e22, 0.125, 2},
                             {1, 2, 3, 3}, {4, 5, 6, 4}};
        QCOMPARE(toText(data), "time mnvel errvel tel\n"
                               "2450000.5 -12.25 1.5 HARPS_N\n"
                               "0.1 1e-07 3 a_b_c\n"
                               "-2 1e+22 0.125 default\n"
                               "1 2 3 _x____\xc3\xa9\n"
                               "4 5 6 "
                                   + std::string(256, 'n') + "\n");
    }

    void writerRoundTrip_data()
    {
        QTest::addColumn<DataSet>("data");

        DataSet awkward;
        awkward.instruments = {"HIRES", "HARPS N"};
        awkward.measurements = {{2454833.0 + 1.0 / 3.0, 0.1 + 0.2, 1.0 / 7.0, 0},
                                {2460000.123456789, -6682.780000000001, 5e-300, 1},
                                {-0.0, 1e300, 4.9406564584124654e-324 * 3, 0},
                                {1234567.8901234567, -1.0 / 3.0, 2.2250738585072014e-308, 1}};
        QTest::newRow("awkward doubles") << awkward;
        QTest::newRow("k2-131") << loadFile(file("k2-131_rv.txt")).data;
        QTest::newRow("HD17156, six instruments") << loadFile(file("HD17156.sys")).data;
    }

    void writerRoundTrip()
    {
        QFETCH(DataSet, data);
        QVERIFY(!data.measurements.empty());

        const LoadResult back = parseText(toText(data), "unused");
        QVERIFY2(back.ok(), back.error.c_str());
        QCOMPARE(back.data.measurements.size(), data.measurements.size());
        std::vector<std::string> expectedNames = data.instruments;
        for (std::string &name : expectedNames)
            std::replace(name.begin(), name.end(), ' ', '_');
        QCOMPARE(back.data.instruments, expectedNames);
        for (std::size_t i = 0; i < data.measurements.size(); ++i) {
            const Measurement &a = data.measurements[i];
            const Measurement &b = back.data.measurements[i];
            QVERIFY2(sameDouble(a.time, b.time) && sameDouble(a.velocity, b.velocity)
                         && sameDouble(a.uncertainty, b.uncertainty),
                     qPrintable(QString("row %1").arg(i)));
            QCOMPARE(b.instrument, a.instrument);
        }
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

    void shippedSetsLoad()
    {
        QCOMPARE(int(shippedSets().size()), 10);
        for (const ShippedSet &set : shippedSets()) {
            const LoadResult result = loadFile(file(set.fileName));
            QVERIFY2(result.ok(), (set.fileName + ": " + result.error).c_str());
            QVERIFY(!set.title.empty());
        }
    }
};

QTEST_APPLESS_MAIN(TestRvReader)
#include "tst_rvreader.moc"
