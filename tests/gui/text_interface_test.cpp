// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessibility.h"

#include <QAccessible>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <mutex>
#include <string>
#include <thread>

using namespace zembrel;

namespace {

// Fails the run with the request that hangs instead of hanging with it:
// every request is registered before it is made, and one that has not
// returned after five seconds aborts the test program.
class Watchdog {
public:
    Watchdog()
        : thread_([this] {
              std::unique_lock lock(mutex_);
              while (!stopped_) {
                  const unsigned seen = generation_;
                  if (!woken_.wait_for(lock, std::chrono::seconds(5), [&] { return stopped_ || generation_ != seen; })
                      && busy_) {
                      std::fprintf(stderr, "FAIL! no answer within 5 s: %s\n", request_.c_str());
                      std::abort();
                  }
              }
          })
    {
    }
    ~Watchdog()
    {
        {
            const std::lock_guard lock(mutex_);
            stopped_ = true;
        }
        woken_.notify_one();
        thread_.join();
    }
    void begin(std::string request)
    {
        {
            const std::lock_guard lock(mutex_);
            request_ = std::move(request);
            busy_ = true;
            ++generation_;
        }
        woken_.notify_one();
    }
    void end()
    {
        const std::lock_guard lock(mutex_);
        busy_ = false;
    }

private:
    std::mutex mutex_;
    std::condition_variable woken_;
    std::string request_;
    unsigned generation_ = 0;
    bool busy_ = false;
    bool stopped_ = false;
    std::thread thread_;
};

const QList<QAccessible::TextBoundaryType> kBoundaries{
    QAccessible::CharBoundary,      QAccessible::WordBoundary, QAccessible::SentenceBoundary,
    QAccessible::ParagraphBoundary, QAccessible::LineBoundary, QAccessible::NoBoundary,
};

const char* nameOf(QAccessible::TextBoundaryType type)
{
    switch (type) {
    case QAccessible::CharBoundary: return "char";
    case QAccessible::WordBoundary: return "word";
    case QAccessible::SentenceBoundary: return "sentence";
    case QAccessible::ParagraphBoundary: return "paragraph";
    case QAccessible::LineBoundary: return "line";
    case QAccessible::NoBoundary: return "none";
    }
    return "?";
}

enum class Request { At, Before, After };

struct Reply {
    QString text;
    int start = 0;
    int end = 0;
};

Reply ask(QAccessibleTextInterface* text, Request request, int offset, QAccessible::TextBoundaryType type)
{
    Reply reply;
    switch (request) {
    case Request::At: reply.text = text->textAtOffset(offset, type, &reply.start, &reply.end); break;
    case Request::Before: reply.text = text->textBeforeOffset(offset, type, &reply.start, &reply.end); break;
    case Request::After: reply.text = text->textAfterOffset(offset, type, &reply.start, &reply.end); break;
    }
    return reply;
}

// No boundary may fall inside a character: between a surrogate pair, or
// between a letter and its first mark.
bool insideCharacter(const QString& text, int offset)
{
    if (offset <= 0 || offset >= text.size())
        return false;
    const auto isMark = [&](int i) { return text.at(i).category() == QChar::Mark_NonSpacing; };
    return (text.at(offset).isLowSurrogate() && text.at(offset - 1).isHighSurrogate())
           || (isMark(offset) && !isMark(offset - 1));
}

} // namespace

// Every line edit, editable or read-only, answers a screen reader's requests
// for the character, word, sentence or line at, before and after any offset
// at once and consistently, whatever text it holds.
class TextInterfaceTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installAccessibleFields(); }
    void everyRequestIsAnsweredAtOnceAndConsistently_data();
    void everyRequestIsAnsweredAtOnceAndConsistently();
    void segmentsAreTheOnesAReaderExpects_data();
    void segmentsAreTheOnesAReaderExpects();
    void attributeRunCoversTheWholeValue();
};

void TextInterfaceTest::everyRequestIsAnsweredAtOnceAndConsistently_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("readOnly");
    const QString million = QString(1000000, QLatin1Char('7'));
    const struct {
        const char* name;
        QString text;
    } texts[] = {
        {"empty", QString()},
        {"root", QStringLiteral("2.")},
        {"negative coefficient", QStringLiteral("-4")},
        {"complex root", QStringLiteral(" 0 + 1 i")},
        {"sentences", QStringLiteral("x = 0.5. Next one!  Done")},
        {"Chinese", QStringLiteral("计算正确。方程无解！请重新输入")},
        {"combining marks", QStringLiteral("e\u0301\u0302 a\u0308b")},
        {"mark first", QStringLiteral("\u0301x")},
        {"right-to-left marks", QStringLiteral("\u200F-4\u200E \u202B12\u202C")},
        {"outside the basic plane", QStringLiteral("a\U0001F600b \U00020000")},
        {"blanks only", QStringLiteral("   ")},
        {"stops only", QStringLiteral("...!?")},
        {"a million digits", million},
        // Shorter: Qt's own layout of the line edit takes seconds to shape a million marks.
        {"a run of 50000 marks", QStringLiteral("e") + QString(50000, QChar(0x0301))},
        {"a million ideographs", QString(1000000, QChar(0x6C34))},
        {"a million stops", QString(1000000, QLatin1Char('.'))},
    };
    for (const auto& row : texts) {
        QTest::addRow("%s, editable", row.name) << row.text << false;
        QTest::addRow("%s, read-only", row.name) << row.text << true;
    }
}

void TextInterfaceTest::everyRequestIsAnsweredAtOnceAndConsistently()
{
    QFETCH(QString, text);
    QFETCH(bool, readOnly);
    QLineEdit edit;
    edit.setMaxLength(std::numeric_limits<int>::max());
    edit.setReadOnly(readOnly);
    edit.setText(text);
    QAccessibleTextInterface* interface = QAccessible::queryAccessibleInterface(&edit)->textInterface();
    QVERIFY(interface != nullptr);

    const int length = static_cast<int>(text.size());
    const QList<int> offsets{-5, -1, 0, 1, length / 2, length - 1, length, length + 1, length + 100};
    Watchdog watchdog;
    for (const int offset : offsets) {
        for (const QAccessible::TextBoundaryType type : kBoundaries) {
            for (const Request request : {Request::At, Request::Before, Request::After}) {
                const char* requestName = request == Request::At       ? "at"
                                          : request == Request::Before ? "before"
                                                                       : "after";
                const QByteArray what = QByteArray(requestName) + " offset " + QByteArray::number(offset) + ", "
                                        + nameOf(type) + ", length " + QByteArray::number(length);
                watchdog.begin(QTest::currentDataTag() + std::string(": ") + what.constData());
                const Reply reply = ask(interface, request, offset, type);
                watchdog.end();

                // -1 stands for the end of the text, as in Qt's own interfaces.
                if (offset == -1) {
                    const Reply atEnd = ask(interface, request, length, type);
                    QVERIFY2(reply.text == atEnd.text && reply.start == atEnd.start && reply.end == atEnd.end,
                             what.constData());
                    continue;
                }
                if (offset < 0 || offset > length) {
                    QVERIFY2(reply.text.isEmpty() && reply.start == -1 && reply.end == -1, what.constData());
                    continue;
                }
                QVERIFY2(0 <= reply.start && reply.start <= reply.end && reply.end <= length, what.constData());
                QVERIFY2(reply.text == text.mid(reply.start, reply.end - reply.start), what.constData());
                QVERIFY2(!insideCharacter(text, reply.start) && !insideCharacter(text, reply.end), what.constData());
                const Reply here = ask(interface, Request::At, offset, type);
                if (request == Request::At && offset < length)
                    QVERIFY2(reply.start <= offset && offset < reply.end, what.constData());
                if (request == Request::Before)
                    QVERIFY2(reply.end <= here.start, what.constData());
                if (request == Request::After)
                    QVERIFY2(reply.start >= here.end, what.constData());
                if (type == QAccessible::LineBoundary && request == Request::At)
                    QVERIFY2(reply.text == text, what.constData());
            }
        }
    }
}

void TextInterfaceTest::segmentsAreTheOnesAReaderExpects_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("at");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    const int w = QAccessible::WordBoundary;
    const int c = QAccessible::CharBoundary;
    const int s = QAccessible::SentenceBoundary;
    QTest::newRow("sign before a number")
        << QStringLiteral("-4") << 0 << w << QStringLiteral("-") << QStringLiteral("") << QStringLiteral("4");
    QTest::newRow("the number after its sign")
        << QStringLiteral("-4") << 1 << w << QStringLiteral("4") << QStringLiteral("-") << QStringLiteral("");
    QTest::newRow("word at the end is the last one")
        << QStringLiteral("-4") << 2 << w << QStringLiteral("4") << QStringLiteral("-") << QStringLiteral("");
    QTest::newRow("no character at the end")
        << QStringLiteral("2.") << 2 << c << QStringLiteral("") << QStringLiteral(".") << QStringLiteral("");
    QTest::newRow("decimal point inside a number")
        << QStringLiteral("x = 0.5") << 5 << w << QStringLiteral("0.5") << QStringLiteral(" ") << QStringLiteral("");
    QTest::newRow("each ideograph a word")
        << QStringLiteral("计算正确") << 1 << w << QStringLiteral("算") << QStringLiteral("计") << QStringLiteral("正");
    QTest::newRow("accent with its letter") << QStringLiteral("e\u0301x") << 1 << c << QStringLiteral("e\u0301")
                                            << QStringLiteral("") << QStringLiteral("x");
    QTest::newRow("emoji whole") << QStringLiteral("a\U0001F600b") << 2 << c << QStringLiteral("\U0001F600")
                                 << QStringLiteral("a") << QStringLiteral("b");
    QTest::newRow("sentence takes its blanks") << QStringLiteral("x = 2. Next") << 8 << s << QStringLiteral("Next")
                                               << QStringLiteral("x = 2. ") << QStringLiteral("");
    QTest::newRow("Chinese full stop ends a sentence")
        << QStringLiteral("计算正确。再算") << 5 << s << QStringLiteral("再算") << QStringLiteral("计算正确。")
        << QStringLiteral("");
    QTest::newRow("the caret's word") << QStringLiteral("ab cd") << -2 << w << QStringLiteral("cd")
                                      << QStringLiteral(" ") << QStringLiteral("");
}

void TextInterfaceTest::segmentsAreTheOnesAReaderExpects()
{
    QFETCH(QString, text);
    QFETCH(int, offset);
    QFETCH(int, type);
    QFETCH(QString, at);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QLineEdit edit(text);
    QAccessibleTextInterface* interface = QAccessible::queryAccessibleInterface(&edit)->textInterface();
    const auto boundary = static_cast<QAccessible::TextBoundaryType>(type);
    QCOMPARE(ask(interface, Request::At, offset, boundary).text, at);
    QCOMPARE(ask(interface, Request::Before, offset, boundary).text, before);
    QCOMPARE(ask(interface, Request::After, offset, boundary).text, after);
}

void TextInterfaceTest::attributeRunCoversTheWholeValue()
{
    for (const bool readOnly : {false, true}) {
        QLineEdit edit(QStringLiteral(" 0 + 1 i"));
        edit.setReadOnly(readOnly);
        QAccessibleTextInterface* interface = QAccessible::queryAccessibleInterface(&edit)->textInterface();
        for (const int offset : {0, 3, 7, 8}) {
            int start = -1;
            int end = -1;
            interface->attributes(offset, &start, &end);
            QCOMPARE(start, 0);
            QCOMPARE(end, 8);
        }
    }
}

QTEST_MAIN(TextInterfaceTest)
#include "text_interface_test.moc"
