#include <QtTest>

#include <algorithm>
#include <cstddef>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr unsigned char kEnye = 0xD1;

// The list's order, kept here so that this test does not lean on the code it
// guards: unsigned bytes, a leading Ñ read as "NZ".
int compareByListOrder(std::string_view a, std::string_view b)
{
    auto key = [](std::string_view word) {
        std::basic_string<unsigned char> bytes(word.begin(), word.end());
        if (!bytes.empty() && bytes[0] == kEnye)
            bytes.replace(0, 1, {'N', 'Z'});
        return bytes;
    };
    return key(a).compare(key(b));
}

QString describe(std::size_t lineIndex, std::string_view word)
{
    return QStringLiteral("line %1: \"%2\"")
        .arg(lineIndex + 1)
        .arg(QString::fromLatin1(word.data(), static_cast<qsizetype>(word.size())));
}

} // namespace

class TestWordList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void listOrderReadsLeadingEnyeAsNZ_data();
    void listOrderReadsLeadingEnyeAsNZ();
    void everyLineEndsInCrLf();
    void wordsAreThreeOrMoreCapitalLetters();
    void enyeIsTheSingleWindows1252Byte();
    void wordsStrictlyIncreaseInListOrder();
    void commonWordsArePresent_data();
    void commonWordsArePresent();

private:
    std::string m_bytes;
    std::vector<std::string_view> m_words;
};

void TestWordList::initTestCase()
{
    std::ifstream file(PALITRA_SHIPPED_LIST, std::ios::binary);
    QVERIFY2(file, "cannot open " PALITRA_SHIPPED_LIST);
    m_bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    QVERIFY(!m_bytes.empty());

    const std::string_view all(m_bytes);
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t end = all.find("\r\n", start);
        if (end == std::string_view::npos)
            end = all.size();
        m_words.push_back(all.substr(start, end - start));
        start = end + 2;
    }
}

void TestWordList::listOrderReadsLeadingEnyeAsNZ_data()
{
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");

    QTest::newRow("N-word before Ñ-word") << QByteArray("NUTRO") << QByteArray("\xD1" "AME");
    QTest::newRow("Ñ-word before O-word") << QByteArray("\xD1" "UBLAR") << QByteArray("OASIS");
    QTest::newRow("inner Ñ after Z") << QByteArray("NIZA") << QByteArray("NI\xD1" "O");
    QTest::newRow("prefix first") << QByteArray("\xD1" "AME") << QByteArray("\xD1" "AMES");
    QTest::newRow("bytes unsigned") << QByteArray("CAZO") << QByteArray("CA\xD1" "A");
}

// The order check below trusts this comparison: a leading Ñ sorts as "NZ",
// any other Ñ as the byte 0xD1 after Z.
void TestWordList::listOrderReadsLeadingEnyeAsNZ()
{
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    const std::string_view a(first.constData(), static_cast<std::size_t>(first.size()));
    const std::string_view b(second.constData(), static_cast<std::size_t>(second.size()));
    QVERIFY(compareByListOrder(a, b) < 0);
    QVERIFY(compareByListOrder(b, a) > 0);
    QCOMPARE(compareByListOrder(a, a), 0);
}

// Every line, the last one included, ends in CR LF; no CR or LF stands alone.
void TestWordList::everyLineEndsInCrLf()
{
    QVERIFY2(m_bytes.size() >= 2 && m_bytes.compare(m_bytes.size() - 2, 2, "\r\n") == 0,
             "the last line does not end in CR LF");
    std::size_t line = 0;
    for (std::size_t i = 0; i < m_bytes.size(); ++i) {
        if (m_bytes[i] == '\r' && (i + 1 == m_bytes.size() || m_bytes[i + 1] != '\n'))
            QFAIL(qPrintable(QStringLiteral("bare CR on line %1").arg(line + 1)));
        if (m_bytes[i] == '\n') {
            if (i == 0 || m_bytes[i - 1] != '\r')
                QFAIL(qPrintable(QStringLiteral("bare LF on line %1").arg(line + 1)));
            ++line;
        }
    }
}

// Each word is at least three letters from A to Z or Ñ; no line is empty.
void TestWordList::wordsAreThreeOrMoreCapitalLetters()
{
    QVERIFY(!m_words.empty());
    for (std::size_t i = 0; i < m_words.size(); ++i) {
        const std::string_view word = m_words[i];
        if (word.size() < 3)
            QFAIL(qPrintable(describe(i, word) + QStringLiteral(" is shorter than three letters")));
        for (const char c : word) {
            const auto byte = static_cast<unsigned char>(c);
            if (!((byte >= 'A' && byte <= 'Z') || byte == kEnye))
                QFAIL(qPrintable(describe(i, word) + QStringLiteral(" holds the byte 0x%1")
                                                         .arg(byte, 2, 16, QLatin1Char('0'))));
        }
    }
}

// The file is Windows-1252, not UTF-8: Ñ is the one byte 0xD1, never C3 91.
void TestWordList::enyeIsTheSingleWindows1252Byte()
{
    QVERIFY(m_bytes.find('\xD1') != std::string::npos);
    QVERIFY(m_bytes.find("\xC3\x91") == std::string::npos);
    QVERIFY(m_bytes.find('\xC3') == std::string::npos);
}

// Words rise strictly in the list's order: sorted, and no word twice.
void TestWordList::wordsStrictlyIncreaseInListOrder()
{
    for (std::size_t i = 1; i < m_words.size(); ++i) {
        if (compareByListOrder(m_words[i - 1], m_words[i]) >= 0)
            QFAIL(qPrintable(describe(i, m_words[i]) + QStringLiteral(" does not follow ")
                             + describe(i - 1, m_words[i - 1])));
    }
}

void TestWordList::commonWordsArePresent_data()
{
    QTest::addColumn<QByteArray>("word");
    for (const char *word : {"CASA", "CASAS", "PERROS", "HABLAMOS", "NI\xD1OS", "\xD1" "ANDU",
                             "CAMIONES", "ARBOL"})
        QTest::newRow(QString::fromLatin1(word).toUtf8().constData()) << QByteArray(word);
}

// Everyday words, plurals and verb forms among them, are in the list.
void TestWordList::commonWordsArePresent()
{
    QFETCH(QByteArray, word);
    const std::string_view wanted(word.constData(), static_cast<std::size_t>(word.size()));
    QVERIFY(std::binary_search(m_words.begin(), m_words.end(), wanted,
                               [](std::string_view a, std::string_view b) {
                                   return compareByListOrder(a, b) < 0;
                               }));
}

QTEST_GUILESS_MAIN(TestWordList)
#include "tst_wordlist.moc"
