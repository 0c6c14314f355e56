#include "ui/frm_about.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "ui/artwork.h"
#include "ui/named.h"

namespace korvex::ui {
namespace {

QLabel* sized(const char* name, const QString& text, int points, bool bold) {
  auto* label = named<QLabel>(name, text);
  QFont f = label->font();
  f.setPointSize(points);
  f.setBold(bold);
  label->setFont(f);
  return label;
}

QLabel* paragraph(const char* name, const QString& text) {
  auto* label = named<QLabel>(name, text);
  label->setWordWrap(true);
  label->setFixedWidth(380);  // wrapped text then has a height the layout can honour
  return label;
}

}  // namespace

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent), lblAboutVersion(sized("lblAboutVersion", "Version", 12, false)) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("Form1"));
  setWindowIcon(appIcon());
  setModal(false);

  auto* picIcon = named<QLabel>("picIcon");
  picIcon->setPixmap(iconPixmap(32));
  auto* ok = named<QPushButton>("cmdOK", QStringLiteral("OK"));
  ok->setDefault(true);  // Enter; Escape rejects, which hides the box as OK does
  connect(ok, &QPushButton::clicked, this, &QDialog::hide);
  auto* line = named<QFrame>("Line1");
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);

  auto* grid = new QGridLayout(this);
  grid->addWidget(picIcon, 0, 0, 2, 1, Qt::AlignTop);
  grid->addWidget(sized("lblProgramName", QStringLiteral("Korvex"), 14, true), 0, 1);
  grid->addWidget(ok, 0, 2, Qt::AlignTop | Qt::AlignRight);
  grid->addWidget(lblAboutVersion, 1, 1);
  grid->addWidget(
      paragraph("lblAboutDesc", QStringLiteral("Korvex is a desktop application that harvests "
                                               "e-mail addresses from web pages, crawling outward "
                                               "from a base URL or from search results.")),
      2, 1, 1, 2);
  grid->addWidget(line, 3, 0, 1, 3);
  grid->addWidget(
      paragraph("lblDisclaimer",
                QStringLiteral(
                    "Disclaimer Korvex: This program discourages spamming. The use of this "
                    "software is totally up to the user. No responsibility is taken for any act "
                    "on the part of the user, directly or indirectly related or unrelated to "
                    "spamming or any other such activity. Please use this software at your own "
                    "discretion.")),
      4, 0, 1, 3);
  grid->setColumnStretch(1, 1);
  grid->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace korvex::ui
