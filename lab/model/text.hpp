#pragma once
// Text helpers. Names of the simulated network (workgroups, computers,
// services, classes, properties) compare without regard to ASCII letter case,
// as the platform's providers compare them.

#include <string>
#include <string_view>
#include <vector>

#include "lab/model/value.hpp"

namespace qv::lab {

char lowerAscii(char c);
std::string lowerText(std::string_view text);
std::string upperText(std::string_view text);
bool equalsNoCase(std::string_view a, std::string_view b);
bool startsWithNoCase(std::string_view text, std::string_view prefix);
// <0, 0, >0 like strcmp, ignoring ASCII letter case.
int compareNoCase(std::string_view a, std::string_view b);
std::string trim(std::string_view text);
std::vector<std::string> split(std::string_view text, char separator);

// A plain decimal number: optional sign, digits, optional fraction. Nothing
// else may follow.
bool parseNumber(std::string_view text, double &out);
bool parseInt32(std::string_view text, int32_t &out);

// Calendar arithmetic on automation dates.
Date dateFromParts(int year, int month, int day, int hour, int minute, int second);
void partsFromDate(Date date, int &year, int &month, int &day, int &hour, int &minute, int &second);
// "yyyy-mm-ddThh:mm:ss" (the fleet's own form); throws std::invalid_argument.
Date parseIsoDateTime(std::string_view text);
// "yyyy-mm-dd hh:mm:ss", for messages and listings.
std::string formatDateTime(Date date);
// The management service's text: yyyymmddHHMMSS.000000 + sign + minutes.
std::string managementDateTime(Date local, int offsetMinutes);
// The instant such a text stands for, in seconds from 1899-12-30 00:00 UTC;
// false for a text of another form (or with "*" for a part it lacks).
bool managementInstant(std::string_view text, double &seconds);

} // namespace qv::lab
