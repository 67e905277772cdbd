#pragma once

#include <QApplication>
#include <QCursor>

// A wait cursor while the program waits for the network.
class BusyCursor {
  public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// The ordinary arrow over a box that waits for the user, even in the middle of a busy wait.
class NormalCursor {
  public:
    NormalCursor() : pushed(QApplication::overrideCursor() != nullptr)
    {
        if (pushed)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~NormalCursor()
    {
        if (pushed)
            QApplication::restoreOverrideCursor();
    }
    NormalCursor(const NormalCursor&) = delete;
    NormalCursor& operator=(const NormalCursor&) = delete;

  private:
    bool pushed;
};
