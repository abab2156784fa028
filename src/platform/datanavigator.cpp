#include "platform/datanavigator.h"
#include "platform/datasource.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace vx {

DataNavigator::DataNavigator(DataSource* source, const QString& caption, QWidget* parent)
    : QWidget(parent), source_(source) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    const char* const arrows[] = {"|◀", "◀", "▶", "▶|"};
    caption_ = new QLabel(caption, this);
    caption_->setAlignment(Qt::AlignCenter);
    caption_->setFrameShape(QFrame::Panel);
    caption_->setFrameShadow(QFrame::Sunken);
    for (int i = 0; i < 4; ++i) {
        auto* b = new QPushButton(QString::fromUtf8(arrows[i]), this);
        b->setFocusPolicy(Qt::NoFocus);  // the keyboard stays in the window's boxes
        b->setFixedWidth(22);
        b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        connect(b, &QPushButton::clicked, this, [this, i] { move(i); });
        buttons_[std::size_t(i)] = b;
        if (i == 2) row->addWidget(caption_, 1);
        row->addWidget(b);
    }
}

void DataNavigator::move(int index) {
    Q_EMIT aboutToMove();
    const int last = source_->recordset().RecordCount() - 1, at = source_->currentRow();
    if (last < 0) return;
    const int to[] = {0, std::max(at - 1, 0), std::min(at + 1, last), last};
    source_->setCurrentRow(at < 0 && (index == 1 || index == 2) ? 0 : to[index]);
}

}  // namespace vx
