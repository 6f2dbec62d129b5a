// The program itself, told by real window messages that the Windows session ends (a logout or a
// shutdown), as Windows tells every program.

#include <windows.h>

#include <QFile>
#include <QProcess>
#include <QTest>

#include "tests/ui/ui_test_support.h"

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
            if (owner != s.pid || !IsWindowVisible(window) || std::wstring(title.data()) != L"Orvell")
                return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
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
};

}  // namespace orvell

QTEST_GUILESS_MAIN(orvell::SessionEndTest)
#include "session_end_test.moc"
