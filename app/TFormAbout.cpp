// The about window: the program's icon, name and version.
#include "TFormAbout.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ProgramIdentity.h"

TFormAbout::TFormAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(tr("About %1").arg(ApplicationTitle()));
    // A fixed size has nothing to minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    const QIcon icon = ::ProgramIcon();
    setWindowIcon(icon);

    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Panel1"));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Sunken);

    ProgramIcon = new QLabel(frame);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setPixmap(icon.pixmap(48, 48));
    ProgramIcon->setFixedSize(56, 56);
    ProgramIcon->setAlignment(Qt::AlignCenter);

    ProductName = new QLabel(ApplicationTitle() + QLatin1Char(' '), frame);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    QFont productFont = ProductName->font();
    productFont.setBold(true);
    productFont.setPointSizeF(productFont.pointSizeF() * 1.25);
    ProductName->setFont(productFont);

    Version = new QLabel(QStringLiteral("v1.52"), frame);
    Version->setObjectName(QStringLiteral("Version"));

    auto* frameLayout = new QGridLayout(frame);
    frameLayout->setContentsMargins(12, 12, 12, 12);
    frameLayout->setHorizontalSpacing(12);
    frameLayout->addWidget(ProgramIcon, 0, 0, 2, 1, Qt::AlignTop);
    frameLayout->addWidget(ProductName, 0, 1, Qt::AlignBottom);
    frameLayout->addWidget(Version, 1, 1, Qt::AlignTop);
    frameLayout->setColumnStretch(1, 1);

    OKButton = new QPushButton(tr("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    OKButton->setAutoDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &TFormAbout::OKButtonClick);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(OKButton);
    buttonRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(frame, 1);
    layout->addLayout(buttonRow);

    // Its usual size, or what a larger font needs; shown, it opens centred on the main window.
    setFixedSize(QSize(306, 239).expandedTo(sizeHint()));
}

void TFormAbout::OKButtonClick() {
    hide();
}
