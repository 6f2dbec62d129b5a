#include "ui/history_window.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QVBoxLayout>
#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "storage/file_error.h"
#include "storage/whole_file.h"
#include "ui/history_charts.h"
#include "ui/history_figures.h"
#include "ui/platform/clock.h"
#include "ui/platform/file_dialog.h"
#include "ui/platform/message_box.h"

namespace orvell {

using namespace Qt::StringLiterals;

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The books table's columns, and how many there are.
enum BookColumn : std::uint8_t {
    kTitleColumn,
    kLastReadColumn,
    kPercentColumn,
    kTimeColumn,
    kSpeedColumn,
    kColumns
};

QTableWidgetItem* cell(const QString& text, Qt::Alignment alignment = Qt::AlignLeft) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

QPushButton* button(const char* name, const QString& caption) {
    auto* b = new QPushButton(caption);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QComboBox* periodChoice() {
    auto* period = new QComboBox;
    period->setObjectName(u"historyPeriod"_s);
    // The days shown back from today; 0 for all of them.
    period->addItem(u"30 дней"_s, 30);
    period->addItem(u"90 дней"_s, 90);
    period->addItem(u"Год"_s, 365);
    period->addItem(u"Всё время"_s, 0);
    return period;
}

QTableWidget* booksTable() {
    auto* books = new QTableWidget(0, kColumns);
    books->setObjectName(u"historyBooks"_s);
    books->setHorizontalHeaderLabels(
        {u"Книга"_s, u"Последнее чтение"_s, u"Прочитано, %"_s, u"Время"_s, u"Средняя скорость"_s});
    books->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    books->horizontalHeader()->setSectionResizeMode(kTitleColumn, QHeaderView::Stretch);
    books->verticalHeader()->hide();
    books->setEditTriggers(QAbstractItemView::NoEditTriggers);
    books->setSelectionBehavior(QAbstractItemView::SelectRows);
    books->setSelectionMode(QAbstractItemView::SingleSelection);
    return books;
}

}  // namespace

HistoryWindow::HistoryWindow(ReadingHistory& history, const QString& stateLine, QWidget* parent)
    : QDialog(parent),
      history_(history),
      period_(periodChoice()),
      charts_(new HistoryCharts),
      books_(booksTable()) {
    setObjectName(u"historyWindow"_s);
    setWindowTitle(u"История чтения"_s);
    setModal(false);

    auto* state = new QLabel(stateLine);
    state->setObjectName(u"historyState"_s);
    state->setWordWrap(true);
    state->setVisible(!stateLine.isEmpty());

    connect(period_, &QComboBox::currentIndexChanged, this, &HistoryWindow::drawCharts);
    auto* periodRow = new QHBoxLayout;
    periodRow->addWidget(new QLabel(u"Период:"_s));
    periodRow->addWidget(period_);
    periodRow->addStretch();

    charts_->setMinimumHeight(260);

    connect(books_, &QTableWidget::cellDoubleClicked, this, [this](int row) { openBook(row); });

    auto* saveCsv = button("historySaveCsv", u"Сохранить как CSV…"_s);
    auto* clear = button("historyClear", u"Очистить историю…"_s);
    auto* close = button("historyClose", u"Закрыть"_s);
    saveCsv->setEnabled(history_.on());
    clear->setEnabled(history_.on());
    connect(saveCsv, &QPushButton::clicked, this, &HistoryWindow::saveCsv);
    connect(clear, &QPushButton::clicked, this, &HistoryWindow::clearHistory);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(saveCsv);
    buttons->addWidget(clear);
    buttons->addStretch();
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(state);
    layout->addWidget(totalsGroup());
    layout->addLayout(periodRow);
    layout->addWidget(charts_, 3);
    layout->addWidget(books_, 2);
    layout->addLayout(buttons);
    resize(860, 720);
    refresh();
}

QWidget* HistoryWindow::totalsGroup() {
    auto* box = new QGroupBox(u"Всего"_s);
    auto* form = new QFormLayout(box);
    time_ = total(*form, "totalTime", u"Время чтения"_s);
    words_ = total(*form, "totalWords", u"Прочитано слов"_s);
    sittings_ = total(*form, "totalSittings", u"Сеансов"_s);
    booksFinished_ = total(*form, "totalBooksFinished", u"Книг дочитано"_s);
    roots_ = total(*form, "totalRoots", u"Корней в словаре"_s);
    return box;
}

QLabel* HistoryWindow::total(QFormLayout& form, const char* name, const QString& caption) {
    auto* label = new QLabel;
    label->setObjectName(QString::fromLatin1(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form.addRow(caption, label);
    return label;
}

void HistoryWindow::refresh() {
    showTotals();
    showBooks();
    drawCharts();
}

void HistoryWindow::showTotals() {
    const HistoryTotals t = history_.totals();
    const bool on = history_.on();
    const auto put = [on](QLabel* label, const QString& text) {
        label->setText(on ? text : u"—"_s);
    };
    put(time_, readingTime(t.activeMs));
    put(words_, russianCount(t.words));
    put(sittings_, russianCount(t.sittings));
    put(booksFinished_, russianCount(t.booksFinished));
    put(roots_, russianCount(t.rootsKnown));
}

void HistoryWindow::showBooks() {
    const std::vector<BookSummary> books = history_.books();
    books_->setRowCount(static_cast<int>(books.size()));
    int row = 0;
    for (const BookSummary& b : books) {
        QTableWidgetItem* name = cell(QString::fromStdString(b.title));
        name->setData(Qt::UserRole, QString::fromStdString(b.file));
        name->setToolTip(QString::fromStdString(b.file));
        books_->setItem(row, kTitleColumn, name);
        books_->setItem(row, kLastReadColumn, cell(localMoment(b.lastRead)));
        books_->setItem(row, kPercentColumn, cell(russianDecimal(b.percent), Qt::AlignRight));
        books_->setItem(row, kTimeColumn, cell(readingTime(b.activeMs), Qt::AlignRight));
        books_->setItem(row, kSpeedColumn,
                        cell(russianCount(std::llround(b.wordsPerMinute)), Qt::AlignRight));
        ++row;
    }
}

void HistoryWindow::drawCharts() {
    const QDateTime now = platform::now();
    // Up to the second after now, so that a sitting begun this second is in.
    const std::chrono::sys_seconds to{std::chrono::seconds(now.toSecsSinceEpoch() + 1)};
    const int days = period_->currentData().toInt();
    charts_->draw(history_, days == 0 ? std::nullopt : std::optional(to - std::chrono::days(days)),
                  to, std::chrono::minutes(now.offsetFromUtc() / 60));
}

void HistoryWindow::openBook(int row) {
    const QString file = books_->item(row, kTitleColumn)->data(Qt::UserRole).toString();
    if (!file.isEmpty() && QFileInfo(file).isFile()) {
        emit openBookRequested(file);
        return;
    }
    platform::showWarning(this, u"Файл книги не найден: %1"_s.arg(QDir::toNativeSeparators(file)));
}

void HistoryWindow::saveCsv() {
    const QString suggested =
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            .filePath(u"история-чтения.csv"_s);
    const QString file = platform::askFileToSave(this, u"CSV (*.csv)"_s, suggested);
    if (file.isEmpty()) return;
    const std::string csv = history_.sittingsCsv();
    // The byte order mark tells spreadsheets that the text is UTF-8, so titles stay Cyrillic.
    const std::array<std::string_view, 2> pieces{kUtf8Bom, csv};
    try {
        writeAtomically(systemFileSystem(), std::filesystem::path(file.toStdU16String()), pieces);
    } catch (const FileError& e) {
        platform::showError(this,
                            u"Не удалось сохранить историю в %1: %2."_s.arg(
                                QDir::toNativeSeparators(file), QString::fromLocal8Bit(e.what())));
    }
}

void HistoryWindow::clearHistory() {
    if (!platform::askToConfirm(this, u"Удалить всю историю чтения? Это нельзя отменить."_s))
        return;
    history_.clear();
    history_.waitForWrites();
    refresh();
}

}  // namespace orvell
