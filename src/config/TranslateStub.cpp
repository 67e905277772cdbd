#include "config/TranslateManager.h"
QString Translate(const QString& key) { return key; }
