#pragma once

#include <QDialog>
#include <QString>

#include "history/reading_history.h"

class QComboBox;
class QFormLayout;
class QLabel;
class QPushButton;
class QTableWidget;

namespace orvell {

class HistoryCharts;

// "История чтения": the totals of the reading history, its charts over a chosen period, the
// books read, and the history's export as CSV and its clearing. A window of its own beside the
// reader; when the history is off it opens all the same, with `stateLine` saying why.
class HistoryWindow : public QDialog {
    Q_OBJECT

  public:
    HistoryWindow(ReadingHistory& history, const QString& stateLine, QWidget* parent);

    // Reads everything again, as after a sitting has ended.
    void refresh();

  signals:
    // A book of the table was double-clicked, and its file is still there.
    void openBookRequested(const QString& file);

  private:
    QWidget* totalsGroup();
    QLabel* total(QFormLayout& form, const char* name, const QString& caption);
    void showTotals();
    void showBooks();
    void drawCharts();
    void openBook(int row);
    void saveCsv();
    void clearHistory();

    ReadingHistory& history_;
    QLabel* time_{};
    QLabel* words_{};
    QLabel* sittings_{};
    QLabel* booksFinished_{};
    QLabel* roots_{};
    QComboBox* period_{};
    HistoryCharts* charts_{};
    QTableWidget* books_{};
};

}  // namespace orvell
