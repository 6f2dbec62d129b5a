// The program itself, told by real window messages that the Windows session ends (a logout or a
// shutdown), as Windows tells every program.

#include <windows.h>

#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTest>

#include "books/book_identity.h"
#include "places/reading_places.h"
#include "tests/ui/ui_test_support.h"
#include "ui/end_requests.h"

using namespace Qt::StringLiterals;

namespace orvell {

namespace {

// The reader window of the process `pid`, once it is shown.
HWND readerWindowOf(qint64 pid) {
    struct Search {
        DWORD pid;
        HWND found;
    } search{static_cast<DWORD>(pid), nullptr};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(parameter);  // NOLINT(performance-no-int-to-ptr)
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            std::array<wchar_t, 64> title{};
            GetWindowTextW(window, title.data(), static_cast<int>(title.size()));
            if (owner != s.pid || !IsWindowVisible(window) ||
                std::wstring(title.data()) != L"Orvell")
                return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class SessionEndTest : public QObject {
    Q_OBJECT

  private slots:
    void sessionEndClosesTheWindowAndSavesTheVocabulary_data() {
        QTest::addColumn<LPARAM>("reason");
        QTest::addColumn<bool>("asked");
        QTest::newRow("logout") << LPARAM{ENDSESSION_LOGOFF} << true;
        QTest::newRow("shutdown") << LPARAM{0} << true;
        QTest::newRow("forced, without a query") << LPARAM{ENDSESSION_CRITICAL} << false;
    }
    void sessionEndClosesTheWindowAndSavesTheVocabulary() {
        QFETCH(LPARAM, reason);
        QFETCH(bool, asked);
        test::ScratchFolder folder;
        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(QStringLiteral(ORVELL_PROGRAM), {});
        QVERIFY(program.waitForStarted());
        HWND window = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((window = readerWindowOf(program.processId())) != nullptr, 30000);
        QVERIFY(!QFile::exists(u"library.txt"_s));

        if (asked) {
            DWORD_PTR answer = FALSE;
            QVERIFY(SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, reason, SMTO_BLOCK, 10000,
                                        &answer) != 0);
            QCOMPARE(answer, DWORD_PTR{TRUE});
        }
        // The program may already have ended; then there is no window to tell.
        SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, reason, SMTO_BLOCK, 10000, nullptr);
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QVERIFY(QFile::exists(u"library.txt"_s));
    }

    // Windows may end the process as soon as WM_ENDSESSION is answered, forced or not: by then
    // the roots the reading learned and the book's place are on the disk. An end that another
    // program refused leaves the reading alone. The window is wired as the program wires it.
    // Last, as Qt quits the application on the end.
    void sessionEndSavesBeforeItIsAnswered_data() {
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("ends");
        QTest::newRow("forced, without a query") << false << true;
        QTest::newRow("after a query") << true << true;
        QTest::newRow("refused after a query") << true << false;
    }
    void sessionEndSavesBeforeItIsAnswered() {
        QFETCH(bool, asked);
        QFETCH(bool, ends);
        test::useFreshDataFolder();
        test::ScratchFolder folder;
        test::MessageBoxRecorder boxes;  // the learning-mode explanation
        platform::Timer::holdTicksForTesting(true);
        const auto release = qScopeGuard([] { platform::Timer::holdTicksForTesting(false); });
        const QString book = folder.file(u"book.txt"_s);
        QVERIFY(write(book, u"Мороз солнце чудесный прелестный красавица проснись"_s.toUtf8()));
        {
            platform::TerminationRequests requests;
            TForm1 form;
            answerEndRequests(requests, form);
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            form.openFile(book);
            QTest::mouseClick(form.SpeedButton1, Qt::LeftButton);
            for (int i = 0; i < 4; ++i) test::fire(form.Timer1);
            QVERIFY(form.Timer1->enabled());
            const std::int32_t reached = form.reading().sh();
            QVERIFY(!QFile::exists(u"library.txt"_s));
            QVERIFY(!QFile::exists(test::placesLocation()));

            // NOLINTNEXTLINE(performance-no-int-to-ptr): a window's id is its handle
            const auto window = reinterpret_cast<HWND>(form.winId());
            if (asked) QCOMPARE(SendMessageW(window, WM_QUERYENDSESSION, 0, 0), LRESULT{TRUE});
            SendMessageW(window, WM_ENDSESSION, WPARAM{ends}, asked ? 0 : ENDSESSION_CRITICAL);
            if (!ends) {
                QCoreApplication::processEvents();
                QVERIFY(form.isVisible());
                QVERIFY(form.Timer1->enabled());
                QVERIFY(!QFile::exists(u"library.txt"_s));
                return;
            }
            // One root a word read.
            QCOMPARE(read(u"library.txt"_s).count('\n'), 4);
            const auto places = ReadingPlaces::parse(read(test::placesLocation()).toStdString());
            const ReadingPlace* place =
                places.find(books::bookIdentity(form.Memo1->toPlainText().toStdU16String()));
            QVERIFY(place != nullptr);
            QCOMPARE(place->position, reached);
            QVERIFY(QFile::remove(test::placesLocation()));
            QVERIFY(QFile::remove(u"library.txt"_s));
        }
        // Saved once: the window's destruction wrote nothing again.
        QVERIFY(!QFile::exists(u"library.txt"_s));
        QVERIFY(!QFile::exists(test::placesLocation()));
    }
};

}  // namespace orvell

QTEST_MAIN(orvell::SessionEndTest)
#include "session_end_test.moc"
