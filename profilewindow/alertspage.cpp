#include "profilewindow/alertspage.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "config/config.h"

namespace ondrik {

namespace {

constexpr const char* kColumnCaptions[kIndexThresholdColumns] = {"Min", "Alert", "Alarm", "Max",
                                                                 "Alarm", "Alert", "Max"};

}  // namespace

AlertsPage::AlertsPage(PanelHost&, QWidget* parent)
    : page_(new QFrame(parent)), lstIndices_(new QListWidget(page_)) {
  page_->setFrameStyle(QFrame::Box | QFrame::Plain);
  lstIndices_->setObjectName("lstIndices");
  lstIndices_->setGeometry(4, 4, 210, 74);  // the page is 82 high
  auto* title = new QLabel("Alert thresholds of the chosen index", page_);
  title->setGeometry(222, 4, 360, 16);
  for (int i = 0; i < kIndexThresholdColumns; ++i) {
    const size_t k = static_cast<size_t>(i);
    const int x = 222 + i * 51;
    lblIndices_[k] = new QLabel(kColumnCaptions[i], page_);
    lblIndices_[k]->setObjectName(QString("lblIndices%1").arg(i));
    lblIndices_[k]->setAlignment(Qt::AlignCenter);
    lblIndices_[k]->setGeometry(x, 26, 48, 16);
    txtIndices_[k] = new QLineEdit(page_);
    txtIndices_[k]->setObjectName(QString("txtIndices%1").arg(i));
    txtIndices_[k]->setGeometry(x, 44, 48, 20);
    lblIndices_[k]->setVisible(false);
    txtIndices_[k]->setVisible(false);
    QObject::connect(txtIndices_[k], &QLineEdit::textChanged, page_, [this, i] { txtIndices_Change(i); });
  }
  auto* hint = new QLabel("Columns 4 to 6 bound the upper side of the two-sided indices.", page_);
  hint->setGeometry(222, 64, 360, 16);
  hint->setObjectName("lblIndicesHint");
  hint->setVisible(false);
  QObject::connect(lstIndices_, &QListWidget::currentRowChanged, page_, [this](int) { lstIndices_Click(); });
}

QWidget* AlertsPage::Widget() { return page_; }

void AlertsPage::FillIndexList() {
  const QSignalBlocker block(lstIndices_);
  lstIndices_->clear();
  for (const char* name : kIndexNames) lstIndices_->addItem(name);
  lstIndices_->setCurrentRow(-1);
}

void AlertsPage::lstIndices_Click() {
  const int r = lstIndices_->currentRow();
  if (r < 0 || r >= kIndexThresholdRows) return;
  const bool twoSided = IndexThresholdTable::TwoSided(r);
  filling_ = true;
  for (int i = 0; i < kIndexThresholdColumns; ++i) {
    const size_t k = static_cast<size_t>(i);
    const bool shown = i < 4 || twoSided;
    lblIndices_[k]->setVisible(shown);
    txtIndices_[k]->setVisible(shown);
    if (shown) txtIndices_[k]->setText(QString::number(static_cast<double>(gIndexThresholds(r, i))));
  }
  if (auto* hint = page_->findChild<QLabel*>("lblIndicesHint")) hint->setVisible(twoSided);
  filling_ = false;
}

void AlertsPage::txtIndices_Change(int index) {
  const int r = lstIndices_->currentRow();
  if (filling_ || r < 0 || r >= kIndexThresholdRows || index < 0 || index >= kIndexThresholdColumns) return;
  // Text that is not a number counts as 0.
  double v = 0;
  if (!LeadingNumber(txtIndices_[static_cast<size_t>(index)]->text().toStdString(), v)) v = 0;
  gIndexThresholds(r, index) = static_cast<Single>(v);
  if (onThresholdChange) onThresholdChange();
}

}  // namespace ondrik
