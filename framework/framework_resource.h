// Resource ids that the framework's own code loads from the program's resources.
#pragma once

// "Please enter no more than %1 characters.": a text longer than its limit.
#define IDP_PARSE_STRING_SIZE 61716
