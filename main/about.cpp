// The about window.
#include "main/about.h"

#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>

#include "main/maker.h"
#include "main/window_parts.h"
#include "platform/shell/launcher.h"

namespace app {

About::About(Parent&, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("About"));
    setWindowTitle(QStringLiteral("Tamsel Standard"));

    auto* artwork = titleLabel(this, QStringLiteral("Tamsel Standard"));
    artwork->setObjectName(QStringLiteral("Artwork"));
    artwork->setAlignment(Qt::AlignCenter);
    auto* maker = new QLabel(QStringLiteral("A Project of\n%1\n%2\n%3\n%4")
                                 .arg(QLatin1String(maker::kName), QLatin1String(maker::kAddress),
                                      QLatin1String(maker::kTelephones), QLatin1String(maker::kEmail)),
                             this);
    maker->setObjectName(QStringLiteral("MakerLbl"));
    maker->setAlignment(Qt::AlignCenter);
    auto* weblink = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(QLatin1String(maker::kWebAddress)), this);
    weblink->setObjectName(QStringLiteral("weblink"));
    weblink->setAlignment(Qt::AlignCenter);
    weblink->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(weblink, &QLabel::linkActivated, this, [this] { weblink_Click(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(artwork);
    layout->addWidget(maker);
    layout->addWidget(weblink);
    resize(380, 240);
}

void About::weblink_Click()
{
    shell::openUrl(QUrl(QLatin1String(maker::kWebAddress)));
}

} // namespace app
