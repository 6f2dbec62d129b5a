// The history window as a user meets it: the totals and books of a known history, the charts'
// period, the CSV export, the clearing, opening a book from the table, and a history that is
// off.

#include <qcustomplot.h>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <array>
#include <memory>

#include "history/reading_history.h"
#include "tests/ui/ui_test_support.h"
#include "ui/history_window.h"
#include "ui/platform/clock.h"
#include "ui/platform/file_dialog.h"

using namespace Qt::StringLiterals;

namespace orvell {

namespace {

constexpr std::int64_t kMinute = 60'000;
const std::string kWar = std::string(64, 'w');
const std::string kLost = std::string(64, 'l');

std::chrono::sys_seconds utc(int month, int day, int hour) {
    return std::chrono::sys_days(std::chrono::year(2026) / month / day) + std::chrono::hours(hour);
}

// The records of an RFC 4180 text: its line ends outside quotes.
int csvRecords(const QByteArray& csv) {
    int records = 0;
    bool quoted = false;
    for (qsizetype i = 0; i < csv.size(); ++i) {
        if (csv[i] == '"') quoted = !quoted;
        if (!quoted && csv[i] == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n') ++records;
    }
    return records;
}

QString cellText(const QTableWidget& table, int row, int column) {
    const QTableWidgetItem* item = table.item(row, column);
    return item ? item->text() : QString();
}

// Local time, as the table shows it.
QString shownAt(std::chrono::sys_seconds t) {
    return QDateTime::fromSecsSinceEpoch(t.time_since_epoch().count())
        .toString(u"dd.MM.yyyy HH:mm"_s);
}

// Answers the confirmation with Yes or No.
void answerConfirmations(bool yes) {
    platform::setMessageBoxObserver(
        [yes](QMessageBox& box) { box.button(yes ? QMessageBox::Yes : QMessageBox::No)->click(); });
}

}  // namespace

class HistoryWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<ReadingHistory> history_;
    std::unique_ptr<HistoryWindow> window_;

    QString path(const QString& name) const { return folder_->filePath(name); }

    void log(std::chrono::sys_seconds start, std::optional<std::string> book, std::int64_t last,
             std::int64_t words, std::int64_t activeMs, std::int64_t roots) {
        Sitting s;
        s.startedAt = start;
        s.endedAt = start + std::chrono::hours(1);
        s.title = book ? "Война и мир, том 1" : "Вставленный \"текст\", строка\nвторая";
        s.book = std::move(book);
        s.lastEntry = last;
        s.words = words;
        s.activeMs = activeMs;
        s.speed = 300;
        s.rootsTotal = roots;
        history_->endSitting(history_->beginSitting(s), s);
    }

    template <typename T>
    T* control(const char* name) const {
        return window_->findChild<T*>(QString::fromLatin1(name));
    }

  private slots:
    // Two books, one of whose files is gone, and four sittings: 12 h 05 min, 19 345 words.
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        QFile war(path(u"война.fb2"_s));
        QVERIFY(war.open(QIODevice::WriteOnly));
        history_ = std::make_unique<ReadingHistory>(folder_->path().toStdU16String());
        QCOMPARE(history_->open().state, HistoryOpening::State::on);
        history_->rememberBook(kWar, "Война и мир, том 1", path(u"война.fb2"_s).toStdString(),
                               10'000);
        history_->rememberBook(kLost, "Пропавшая", path(u"нет.txt"_s).toStdString(), 2'000);
        log(utc(3, 1, 10), kWar, 3'000, 3'000, 10 * kMinute, 100);
        log(utc(3, 2, 10), kWar, 5'000, 2'000, 50 * kMinute, 150);
        log(utc(3, 3, 10), kLost, 2'000, 2'000, 5 * kMinute, 180);
        log(utc(3, 4, 10), std::nullopt, 0, 12'345, 660 * kMinute, 1'234);
        history_->markFinished(kLost, utc(3, 3, 11));
        history_->waitForWrites();
        platform::setClockForTesting([] { return QDateTime({2026, 3, 20}, {12, 0}); });
        window_ = std::make_unique<HistoryWindow>(*history_, QString(), nullptr);
        window_->show();
    }

    void cleanup() {
        window_.reset();
        history_.reset();
        folder_.reset();
        platform::setClockForTesting({});
        platform::setMessageBoxObserver({});
        platform::setFileDialogObserver({});
    }

    void showsTotalsAndBooks() {
        QCOMPARE(window_->windowTitle(), u"История чтения"_s);
        QVERIFY(!control<QLabel>("historyState")->isVisible());
        const std::array<std::pair<const char*, QString>, 5> totals = {{
            {"totalTime", u"12 ч 05 мин"_s},
            {"totalWords", u"19\u00a0345"_s},
            {"totalSittings", u"4"_s},
            {"totalBooksFinished", u"1"_s},
            {"totalRoots", u"1\u00a0234"_s},
        }};
        for (const auto& [name, text] : totals) QCOMPARE(control<QLabel>(name)->text(), text);

        // The one read last first; the pasted text is no book.
        const QList<QStringList> rows = {
            {u"Пропавшая"_s, shownAt(utc(3, 3, 11)), u"100,0"_s, u"5 мин"_s, u"400"_s},
            {u"Война и мир, том 1"_s, shownAt(utc(3, 2, 11)), u"50,0"_s, u"1 ч 00 мин"_s, u"83"_s},
        };
        const auto* books = control<QTableWidget>("historyBooks");
        QCOMPARE(books->rowCount(), rows.size());
        for (int row = 0; row < books->rowCount(); ++row) {
            for (int column = 0; column < books->columnCount(); ++column)
                QCOMPARE(cellText(*books, row, column), rows[row][column]);
        }
    }

    // The charts show the sittings of the period chosen, counted back from 1 June.
    void chartsFollowThePeriod() {
        struct Row {
            int period;
            int sittings;
            double words;
        };
        const std::array<Row, 3> rows = {{{2, 4, 19'345}, {0, 0, 0}, {3, 4, 19'345}}};
        auto* period = control<QComboBox>("historyPeriod");
        QCOMPARE(period->currentText(), u"30 дней"_s);
        platform::setClockForTesting([] { return QDateTime({2026, 6, 1}, {12, 0}); });
        for (const Row& row : rows) {
            period->setCurrentIndex(row.period);
            QCOMPARE(control<QCustomPlot>("speedChart")->graph(0)->dataCount(), row.sittings);
            const auto* bars =
                qobject_cast<QCPBars*>(control<QCustomPlot>("wordsChart")->plottable(0));
            double words = 0;
            for (const QCPBarsData& day : *bars->data()) words += day.value;
            QCOMPARE(words, row.words);
        }
    }

    // The file written is the history's CSV byte for byte, after a UTF-8 byte order mark for
    // spreadsheets; a file that cannot be written says so.
    void exportsCsv() {
        const QString saved = path(u"история.csv"_s);
        QString answer = saved;
        platform::setFileDialogObserver(
            [&answer](QFileDialog& dialog) { platform::answerFileDialog(dialog, answer); });
        control<QPushButton>("historySaveCsv")->click();
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray csv = file.readAll();
        QCOMPARE(csv.toStdString(), "\xEF\xBB\xBF" + history_->sittingsCsv());
        QCOMPARE(csvRecords(csv), 1 + 4);

        answer = path(u"нет/история.csv"_s);
        test::MessageBoxRecorder boxes;
        control<QPushButton>("historySaveCsv")->click();
        QCOMPARE(boxes.boxes.size(), 1u);
        QCOMPARE(boxes.boxes[0].icon, QMessageBox::Critical);
        QVERIFY(boxes.boxes[0].text.startsWith(u"Не удалось сохранить историю в "_s));
    }

    void clearsOnlyWhenConfirmed() {
        const std::array<std::pair<bool, QString>, 2> answers = {{{false, u"4"_s}, {true, u"0"_s}}};
        for (const auto& [yes, sittings] : answers) {
            answerConfirmations(yes);
            control<QPushButton>("historyClear")->click();
            QCOMPARE(control<QLabel>("totalSittings")->text(), sittings);
            QCOMPARE(control<QTableWidget>("historyBooks")->rowCount(), yes ? 0 : 2);
        }
        QCOMPARE(history_->totals(), HistoryTotals{});
    }

    // Row 0's file is gone, row 1's is there.
    void opensOnlyBooksStillThere() {
        auto* books = control<QTableWidget>("historyBooks");
        QSignalSpy opened(window_.get(), &HistoryWindow::openBookRequested);
        test::MessageBoxRecorder boxes;
        emit books->cellDoubleClicked(0, 2);
        QCOMPARE(opened.count(), 0);
        QCOMPARE(boxes.boxes.size(), 1u);
        QCOMPARE(boxes.boxes[0].icon, QMessageBox::Warning);
        QCOMPARE(boxes.boxes[0].text,
                 u"Файл книги не найден: "_s + QDir::toNativeSeparators(path(u"нет.txt"_s)));
        emit books->cellDoubleClicked(1, 0);
        QCOMPARE(opened.count(), 1);
        QCOMPARE(opened[0][0].toString(), path(u"война.fb2"_s));
        QCOMPARE(boxes.boxes.size(), 1u);
    }

    void saysWhyTheHistoryIsOff() {
        window_.reset();
        ReadingHistory off(folder_->path().toStdU16String());  // never opened
        const QString why = u"История выключена: файл занят другой программой"_s;
        window_ = std::make_unique<HistoryWindow>(off, why, nullptr);
        window_->show();
        QVERIFY(control<QLabel>("historyState")->isVisible());
        QCOMPARE(control<QLabel>("historyState")->text(), why);
        QCOMPARE(control<QLabel>("totalWords")->text(), u"—"_s);
        QVERIFY(!control<QPushButton>("historySaveCsv")->isEnabled());
        QVERIFY(!control<QPushButton>("historyClear")->isEnabled());
        QCOMPARE(control<QTableWidget>("historyBooks")->rowCount(), 0);
        window_.reset();
    }
};

}  // namespace orvell

QTEST_MAIN(orvell::HistoryWindowTest)
#include "history_window_test.moc"
