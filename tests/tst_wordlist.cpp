#include "dictionary/SortKey.h"

#include <QtTest>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

class TestWordList : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        std::ifstream file(PALITRA_SHIPPED_LIST, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        QVERIFY2(bytes.ends_with("\r\n"), "the list is missing or its last line does not end in CR LF");
        for (std::size_t start = 0, end; start < bytes.size(); start = end + 2) {
            end = bytes.find("\r\n", start);
            m_words.push_back(bytes.substr(start, end - start));
        }
    }

    void linesAreSortedCapitalWords()
    {
        // Each line is three or more of A-Z and Ñ (0xD1, so no lone CR or LF), strictly after the one before.
        const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || c == '\xD1'; };
        for (std::size_t i = 0; i < m_words.size(); ++i) {
            const std::string& word = m_words[i];
            if (word.size() < 3 || !std::all_of(word.begin(), word.end(), isLetter)
                || (i > 0 && palitra::compareSortKeys(m_words[i - 1], word) >= 0))
                QFAIL(qPrintable(QStringLiteral("line %1 is amiss: %2").arg(i + 1).arg(QString::fromLatin1(word))));
        }
    }

    void commonWordsArePresent_data()
    {
        QTest::addColumn<QByteArray>("word");
        for (const char* word : {"CASA", "CASAS", "PERROS", "HABLAMOS", "NI\xD1OS", "\xD1" "ANDU", "CAMIONES", "ARBOL"})
            QTest::newRow(QString::fromLatin1(word).toUtf8().constData()) << QByteArray(word);
    }

    void commonWordsArePresent()
    {
        // Everyday words, plurals, verb forms and words with Ñ among them, are in the list.
        QFETCH(QByteArray, word);
        QVERIFY(std::binary_search(m_words.begin(), m_words.end(), word.toStdString(),
                                   [](const std::string& a, const std::string& b) {
                                       return palitra::compareSortKeys(a, b) < 0;
                                   }));
    }

private:
    std::vector<std::string> m_words; // the lines without their CR LF
};

QTEST_GUILESS_MAIN(TestWordList)
#include "tst_wordlist.moc"
