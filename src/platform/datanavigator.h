#pragma once
// A data control's navigator: buttons to the first, previous, next and last record of a data
// source, with its caption between them. The move stops at either end.
#include <QWidget>
#include <array>

class QLabel;
class QPushButton;

namespace vx {

class DataSource;

class DataNavigator : public QWidget {
    Q_OBJECT
public:
    DataNavigator(DataSource* source, const QString& caption, QWidget* parent);
    QLabel* caption() const { return caption_; }
    // |<, <, >, >|
    const std::array<QPushButton*, 4>& buttons() const { return buttons_; }
    DataSource* dataSource() const { return source_; }

Q_SIGNALS:
    // Before each click moves, also when the record cannot change (the data control's Validate).
    void aboutToMove();

private:
    void move(int index);
    DataSource* source_;
    QLabel* caption_;
    std::array<QPushButton*, 4> buttons_{};
};

}  // namespace vx
