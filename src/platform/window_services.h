#pragma once

#include "clock.h"
#include "file_service.h"
#include "message_service.h"
#include "program_directory.h"

// The platform services the program's logic uses, handed in so tests can replace them.
struct WindowServices
{
    Clock &clock;
    MessageService &messages;
    ProgramDirectory &programDirectory;
    FileService &files;
};
