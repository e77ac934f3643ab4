#include "Module1.h"

#include <QFile>
#include <QHash>
#include <QStringList>

int CurrentLanguage = 1;

namespace {

// Lines of "number<TAB>text"; the text runs to the line end with its blanks kept.
QHash<int, QString> readTextTable() {
  QHash<int, QString> table;
  QFile file(QStringLiteral(":/texts.txt"));
  if (!file.open(QIODevice::ReadOnly)) return table;
  const QString content = QString::fromUtf8(file.readAll());
  for (QString line : content.split(u'\n')) {
    if (line.endsWith(u'\r')) line.chop(1);
    if (line.isEmpty() || line.startsWith(u'#')) continue;
    const qsizetype tab = line.indexOf(u'\t');
    if (tab <= 0) continue;
    bool ok = false;
    const int number = line.left(tab).toInt(&ok);
    if (ok) table.insert(number, line.mid(tab + 1));
  }
  return table;
}

const QHash<int, QString>& textTable() {
  static const QHash<int, QString> table = readTextTable();
  return table;
}

}  // namespace

QString LoadText(int k) { return textTable().value((CurrentLanguage - 1) * 1000 + k); }
