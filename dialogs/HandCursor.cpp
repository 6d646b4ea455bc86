#include "HandCursor.h"

#include <QFile>
#include <QPixmap>

namespace dialogs {

QCursor HandCursor()
{
    int hotX = 0;
    int hotY = 0;
    QFile hotspot(QStringLiteral(":/pictures/hand-hotspot.txt"));
    if (hotspot.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> parts = hotspot.readAll().simplified().split(' ');
        if (parts.size() == 2) {
            hotX = parts[0].toInt();
            hotY = parts[1].toInt();
        }
    }
    return QCursor(QPixmap(QStringLiteral(":/pictures/hand.png")), hotX, hotY);
}

} // namespace dialogs
