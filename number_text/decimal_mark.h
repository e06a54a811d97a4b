#pragma once

class QCoreApplication;

// The one decimal separator of the process, read by both number conversions on every call.
extern char DecimalMark;

// Takes the separator from the user's regional settings ("." when it is not a single ASCII character).
void ReadDecimalMark();

// Reads the separator now and again whenever the application is told that the regional settings changed.
void FollowDecimalMark(QCoreApplication *application);
