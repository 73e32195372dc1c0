// ctest runs every test case of a program as a process of its own, two at once: each process gets
// a home of its own, so the settings and application data one test writes never reach another.
#pragma once

#include <QTemporaryDir>
#include <QtGlobal>

class IsolatedHome {
public:
    // Before the application object: standard paths and settings read HOME when first used.
    IsolatedHome()
    {
        if (m_dir.isValid()) qputenv("HOME", m_dir.path().toLocal8Bit());
    }

private:
    QTemporaryDir m_dir;
};
