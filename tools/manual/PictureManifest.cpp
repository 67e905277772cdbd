#include "PictureManifest.h"

#include <QFile>
#include <QPoint>
#include <QRegularExpression>

namespace {

QString WithoutComment(const QString& line)
{
    static const QRegularExpression comment(QStringLiteral("(^|\\s);.*$"));
    return QString(line).remove(comment).trimmed();
}

bool ReadInt(const QString& text, int& value)
{
    bool ok = false;
    const int parsed = text.trimmed().toInt(&ok);
    if (ok)
        value = parsed;
    return ok;
}

} // namespace

QList<ManualPicture> ReadPictureManifest(const QString& fileName, QStringList& errors)
{
    QList<ManualPicture> pictures;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        errors.append(fileName + QStringLiteral(": cannot be read"));
        return pictures;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = WithoutComment(lines[i]);
        const QString where = fileName + QLatin1Char(':') + QString::number(i + 1) + QStringLiteral(": ");
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            ManualPicture picture;
            picture.name = line.mid(1, line.size() - 2).trimmed();
            picture.line = i + 1;
            pictures.append(picture);
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0 || pictures.isEmpty()) {
            errors.append(where + QStringLiteral("expected [name] or key=value"));
            continue;
        }
        ManualPicture& p = pictures.last();
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        bool ok = true;
        if (key == QLatin1String("kind"))
            p.kind = value;
        else if (key == QLatin1String("window"))
            p.window = value;
        else if (key == QLatin1String("matrix"))
            p.rows = value.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        else if (key == QLatin1String("directed"))
            p.directed = value == QLatin1String("1");
        else if (key == QLatin1String("weighted"))
            p.weighted = value == QLatin1String("1");
        else if (key == QLatin1String("names"))
            p.naming = value;
        else if (key == QLatin1String("generate"))
            p.generate = value;
        else if (key == QLatin1String("seed")) {
            int seed = 0;
            ok = ReadInt(value, seed) && seed >= 0;
            p.seed = unsigned(seed);
        } else if (key == QLatin1String("weights")) {
            const QStringList range = value.split(QStringLiteral(".."));
            ok = range.size() == 2 && ReadInt(range[0], p.minWeight) && ReadInt(range[1], p.maxWeight);
        } else if (key == QLatin1String("layout"))
            p.layout = value;
        else if (key == QLatin1String("algorithm"))
            p.algorithm = value;
        else if (key == QLatin1String("callouts"))
            p.callouts = value.split(QLatin1Char(','), Qt::SkipEmptyParts);
        else if (key == QLatin1String("from"))
            ok = ReadInt(value, p.from);
        else if (key == QLatin1String("to"))
            ok = ReadInt(value, p.to);
        else if (key == QLatin1String("frame"))
            ok = ReadInt(value, p.frame) && p.frame >= 1;
        else if (key == QLatin1String("width")) {
            ok = ReadInt(value, p.width) && p.width >= 100 && p.width <= 2000;
            p.sized = true;
        } else if (key == QLatin1String("height")) {
            ok = ReadInt(value, p.height) && p.height >= 100 && p.height <= 2000;
            p.sized = true;
        } else if (key == QLatin1String("positions")) {
            for (const QString& pair : value.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
                const QStringList xy = pair.split(QLatin1Char(','));
                int x = 0, y = 0;
                ok = ok && xy.size() == 2 && ReadInt(xy[0], x) && ReadInt(xy[1], y);
                p.positions.append(QPoint(x, y));
            }
        } else
            errors.append(where + QStringLiteral("unknown key \"") + key + QLatin1Char('"'));
        if (!ok)
            errors.append(where + QStringLiteral("bad value for ") + key);
    }
    for (const ManualPicture& p : pictures) {
        const QString where = fileName + QLatin1Char(':') + QString::number(p.line) + QStringLiteral(": [") +
                              p.name + QStringLiteral("] ");
        if (p.kind != QLatin1String("graph") && p.kind != QLatin1String("algorithm") &&
            p.kind != QLatin1String("window"))
            errors.append(where + QStringLiteral("kind must be graph, algorithm or window"));
        if (p.kind != QLatin1String("window") && p.rows.isEmpty() && p.generate.isEmpty())
            errors.append(where + QStringLiteral("needs a matrix or a ready-made graph"));
        if ((p.kind == QLatin1String("algorithm") || p.frame > 0) && p.algorithm.isEmpty())
            errors.append(where + QStringLiteral("needs an algorithm"));
        if (!p.positions.isEmpty() && p.positions.size() != p.rows.size())
            errors.append(where + QStringLiteral("positions and matrix rows differ in number"));
    }
    return pictures;
}
