#include "environment/XLockerEvent.h"

XLockerEvent::XLockerEvent(const wchar_t* name) : event_(CreateEventW(nullptr, FALSE, TRUE, name)) {}

XLockerEvent::~XLockerEvent()
{
    if (event_ != nullptr) CloseHandle(event_);
}

int XLockerEvent::Lock()
{
    return int(WaitForSingleObject(event_, INFINITE));
}

int XLockerEvent::Unlock()
{
    return SetEvent(event_);
}
