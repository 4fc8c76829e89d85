#pragma once

#include <QString>
#include <QVector>
#include <QWidget>

namespace report {

// The report table: rows x columns of text, kept by the main window as a
// hidden control so the report reads exactly what the window showed.
class StringGrid : public QWidget
{
    Q_OBJECT

public:
    explicit StringGrid(QWidget *parent = nullptr) : QWidget(parent) { setVisible(false); }

    int rowCount() const { return m_rows; }
    int colCount() const { return m_cols; }
    void setRowCount(int rows) { resizeTable(rows, m_cols); }
    void setColCount(int cols) { resizeTable(m_rows, cols); }

    // Cells are addressed as (column, row); outside the table reads empty.
    QString cell(int col, int row) const
    {
        if (col < 0 || row < 0 || col >= m_cols || row >= m_rows)
            return {};
        return m_cells[row * m_cols + col];
    }
    void setCell(int col, int row, const QString &text)
    {
        if (col >= 0 && row >= 0 && col < m_cols && row < m_rows)
            m_cells[row * m_cols + col] = text;
    }

private:
    void resizeTable(int rows, int cols)
    {
        QVector<QString> cells(qsizetype(rows) * cols);
        for (int r = 0; r < std::min(rows, m_rows); ++r)
            for (int c = 0; c < std::min(cols, m_cols); ++c)
                cells[r * cols + c] = m_cells[r * m_cols + c];
        m_cells = std::move(cells);
        m_rows = rows;
        m_cols = cols;
    }

    int m_rows = 5;
    int m_cols = 5;
    QVector<QString> m_cells = QVector<QString>(25);
};

} // namespace report
