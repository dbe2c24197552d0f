#include "platform/WindowSender.h"

WindowSender::~WindowSender() = default;
