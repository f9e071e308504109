#pragma once

// The lines of the MIDI monitor: time since it opened, direction, bytes and
// meaning, the last kMaxLines of them. Lines come in batches, one per redraw.

#include <QAbstractTableModel>
#include <QString>
#include <QVector>

#include <deque>

struct MonitorLine
{
    qint64 ms = 0;
    bool in = true;
    QString bytes;   // "B0 4A 40"
    QString meaning; // "Control Change ch 1, CC 74, value 64"
};

class MonitorLineModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { TimeColumn, DirectionColumn, BytesColumn, MeaningColumn, ColumnCount };
    static constexpr int kMaxLines = 10000;

    explicit MonitorLineModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Adds the lines at the end; the oldest go beyond kMaxLines.
    void append(QVector<MonitorLine> lines);
    void clear();
    const std::deque<MonitorLine> &lines() const { return lines_; }
    // "12\tin\tB0 4A 40\tControl Change ch 1, CC 74, value 64", one per line.
    QString plainText() const;

private:
    static QString cellText(const MonitorLine &line, int column);

    std::deque<MonitorLine> lines_;
};
