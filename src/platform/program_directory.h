#pragma once

#include <QString>

// The directory the log file lives in: the program's own directory, a temporary one in tests.
class ProgramDirectory
{
public:
    virtual ~ProgramDirectory() = default;
    // The directory path without a trailing separator.
    virtual QString path() const = 0;
};

class ApplicationDirectory : public ProgramDirectory
{
public:
    QString path() const override;
};
