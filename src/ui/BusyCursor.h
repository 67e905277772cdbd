#pragma once

#include <QApplication>
#include <QCursor>

// A wait cursor while the program waits for the network.
class TBusyCursor {
  public:
    TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

// The ordinary arrow over a box that waits for the user, even in the middle of a busy wait.
class TNormalCursor {
  public:
    TNormalCursor() : pushed(QApplication::overrideCursor() != nullptr)
    {
        if (pushed)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~TNormalCursor()
    {
        if (pushed)
            QApplication::restoreOverrideCursor();
    }
    TNormalCursor(const TNormalCursor&) = delete;
    TNormalCursor& operator=(const TNormalCursor&) = delete;

  private:
    bool pushed;
};
