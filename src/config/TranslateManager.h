#pragma once
#include <QString>
QString Translate(const QString& key);
