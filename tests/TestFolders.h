#pragma once

#include <QString>

// The program folder of this test process: a private temporary folder, so that no test
// leaves setting.ini or reportTemp.html in the build tree or sees another test's files.
QString TestProgramFolder();
