#pragma once

#include "clock.h"
#include "file_service.h"
#include "log_directory.h"
#include "message_service.h"

// The platform services the program's logic uses, handed in so tests can replace them.
struct WindowServices
{
    Clock &clock;
    MessageService &messages;
    LogDirectoryService &logDirectory;
    FileService &files;
};
