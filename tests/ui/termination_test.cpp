// The program itself, sent a real signal while it runs.

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <csignal>

#include "tests/ui/ui_test_support.h"

using namespace Qt::StringLiterals;

namespace orvell {

namespace {

// True once the process catches `signal` instead of dying of it.
bool catches(qint64 pid, int signal) {
    QFile status(u"/proc/%1/status"_s.arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return false;
    const auto match = QRegularExpression(u"SigCgt:\\s*([0-9a-f]+)"_s).match(status.readAll());
    return match.hasMatch() && (match.captured(1).toULongLong(nullptr, 16) >> (signal - 1)) & 1;
}

}  // namespace

class TerminationTest : public QObject {
    Q_OBJECT

  private slots:
    void signalClosesTheWindowAndSavesTheVocabulary_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
        QTest::newRow("SIGINT") << SIGINT;
    }
    void signalClosesTheWindowAndSavesTheVocabulary() {
        QFETCH(int, signal);
        test::ScratchFolder folder;
        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        program.setProcessEnvironment(environment);
        // A signal that the test itself was started ignoring stays ignored in the program.
        program.setChildProcessModifier([signal] { std::signal(signal, SIG_DFL); });
        program.start(QStringLiteral(ORVELL_PROGRAM), {});
        QVERIFY(program.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(catches(program.processId(), signal), 30000);
        QVERIFY(!QFile::exists(u"library.txt"_s));
        ::kill(static_cast<pid_t>(program.processId()), signal);
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QVERIFY(QFile::exists(u"library.txt"_s));
    }
};

}  // namespace orvell

QTEST_GUILESS_MAIN(orvell::TerminationTest)
#include "termination_test.moc"
