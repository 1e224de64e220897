#pragma once

#include "platform/clock.h"
#include "platform/file_service.h"
#include "platform/log_directory.h"
#include "platform/message_service.h"

// The platform services the program's logic uses, handed in so tests can replace them.
struct WindowServices
{
    Clock &clock;
    MessageService &messages;
    LogDirectoryService &logDirectory;
    FileService &files;
};
