#include "platform/mdiframe.h"
#include "platform/form.h"
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

namespace vx {
namespace {
MdiFrame* theFrame = nullptr;
}

MdiFrame::MdiFrame(QWidget* parent) : QMainWindow(parent), area_(new QMdiArea(this)) {
    theFrame = this;
    setCentralWidget(area_);
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(area_, &QMdiArea::subWindowActivated, this, &MdiFrame::onActivated);
}

MdiFrame::~MdiFrame() {
    disconnect(area_, nullptr, this, nullptr);
    if (theFrame == this) theFrame = nullptr;
}

MdiFrame* MdiFrame::instance() { return theFrame; }

MdiFrame& MdiFrame::ensure() {
    if (!theFrame) new MdiFrame();  // lives until the program or the test ends it
    return *theFrame;
}

QMdiSubWindow* MdiFrame::addChild(Form* form) {
    QMdiSubWindow* sub = area_->addSubWindow(form, Qt::SubWindow | Qt::WindowTitleHint |
                                                       Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                                       Qt::WindowCloseButtonHint);
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    sub->setWindowTitle(form->windowTitle());
    connect(form, &QWidget::windowTitleChanged, sub, &QWidget::setWindowTitle);
    sub->hide();
    return sub;
}

Form* MdiFrame::activeForm() const { return active_; }

void MdiFrame::activate(Form* form) {
    if (QMdiSubWindow* sub = form->subWindow()) {
        if (area_->activeSubWindow() == sub && active_ == form) return;
        area_->setActiveSubWindow(sub);
        // Without a focused top-level window the area may not report the change; do it here.
        if (active_ != form) onActivated(sub);
    }
}

void MdiFrame::onActivated(QMdiSubWindow* window) {
    Form* next = window ? qobject_cast<Form*>(window->widget()) : nullptr;
    if (!next || next == active_) return;  // focus leaving the frame keeps the active child
    Form* previous = active_;
    active_ = next;
    if (previous) previous->runDeactivate();
    menuBar()->clear();
    for (QAction* a : next->menuActions()) menuBar()->addAction(a);
    next->runActivate();
}

}  // namespace vx
