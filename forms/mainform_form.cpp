#include "forms/mainform_form.h"

#include <QVBoxLayout>

namespace tavo {

MainformComponents BuildMainformForm(QWidget& form) {
    form.setObjectName("Mainform");
    form.setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                        Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    QFont font;
    font.setFamilies({"MS Sans Serif", "DejaVu Sans", "Sans Serif"});
    font.setPointSize(8);
    form.setFont(font);

    auto* layout = new QVBoxLayout(&form);  // owned by the form
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    MainformComponents c;
    c.Panel1 = new QFrame(&form);
    c.Panel1->setObjectName("Panel1");
    c.Panel1->setFrameShape(QFrame::NoFrame);
    auto* frameLayout = new QVBoxLayout(c.Panel1);  // the wizard frame fills the client area
    frameLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(c.Panel1, 1);

    c.StatusBar = new TStatusBar(&form);
    c.StatusBar->setObjectName("StatusBar");
    c.StatusBar->setFixedHeight(kStatusBarHeight);
    c.StatusBar->AddPanel("Ok", 514);
    layout->addWidget(c.StatusBar);
    return c;
}

}  // namespace tavo
