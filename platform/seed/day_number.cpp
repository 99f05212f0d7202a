#include "day_number.h"

#include <chrono>
#include <cstdio>
#include <stdexcept>

namespace seed {

int DayNumber(const std::string& date) {
    using namespace std::chrono;
    unsigned d = 0, m = 0;
    int y = 0;
    char rest = 0;
    if (date.size() != 10 || std::sscanf(date.c_str(), "%2u/%2u/%4d%c", &d, &m, &y, &rest) != 3)
        throw std::invalid_argument("Date invalide : « " + date + " » (jj/mm/aaaa attendu).");
    const year_month_day ymd{year{y}, month{m}, day{d}};
    if (!ymd.ok())
        throw std::invalid_argument("Date inexistante : « " + date + " ».");
    return static_cast<int>((sys_days{ymd} - sys_days{1967y / December / 31}).count());
}

}  // namespace seed
