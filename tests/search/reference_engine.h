// SPDX-License-Identifier: MIT
// The route search written as the plain nested scan, step by step, with no shortcuts.
// It is slow and only used to check the program's engine: both must give the same
// result list, entry for entry, for any table and conditions.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "calendar/dates.h"
#include "data/tables.h"
#include "search/engine.h"

namespace ravolin::search::reference {

class ReferenceSearch {
 public:
  // How often each limit cut a list in the last run (to check that tests reach them).
  int result_list_cut = 0;
  int transfer_list_cuts = 0;
  int second_list_cuts = 0;

  ReferenceSearch(const data::SinkansenTables& tables, const SearchConditions& cond,
                  const calendar::DayFlags& flags)
      : t_(tables), c_(cond), f_(flags) {}

  // set_search_rows, clear_results and sel_data; fills `out` (direction, rows, count, entries).
  int run(SearchResult& out, const std::function<void()>& pending = {}) {
    out.direction = 0;
    out.boarding_row = 0;
    out.alighting_row = 0;
    for (auto& e : out.entries) e = ResultEntry{};
    out.count = 0;
    if (!set_search_rows()) return 0;
    out.direction = direction_;
    out.boarding_row = st_row_;
    out.alighting_row = ed_row_;
    res_ = &out;
    sel_data(pending);
    return out.count;
  }

 private:
  struct Transfer {
    int second_train = 0, third_train = 0, first_row = 0, second_row = 0;
  };
  struct Transfer3 {
    int third_train = 0, second_row = 0;
  };

  static std::string trimmed(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && s[b] == ' ') ++b;
    while (e > b && s[e - 1] == ' ') --e;
    return s.substr(b, e - b);
  }
  static int minutes(int v) { return (v / 100) * 60 + v % 100; }
  static int hhmm(int m) { return (m / 60) * 100 + m % 60; }

  int time(int s, int train) const { return t_.times[direction_][s][train]; }
  int flag(int s) const { return t_.station_flag[direction_][s]; }

  int scan(int d, const std::string& name, int fa, int fb) const {
    for (int s = 1; s <= t_.station_count; ++s) {
      const int f = t_.station_flag[d][s];
      if ((f == fa || f == fb) && trimmed(t_.station_name[d][s]) == trimmed(name)) return s;
    }
    return 0;
  }

  bool set_search_rows() {
    st_row_ = scan(1, c_.st_station, 0, 2);
    ed_row_ = scan(1, c_.ed_station, 0, 1);
    if (st_row_ == 0 || ed_row_ == 0) return false;
    if (st_row_ < ed_row_) {
      direction_ = 1;
    } else {
      direction_ = 2;
      st_row_ = scan(2, c_.st_station, 0, 2);
      ed_row_ = scan(2, c_.ed_station, 0, 1);
      if (st_row_ == 0 || ed_row_ == 0 || st_row_ >= ed_row_) return false;
    }
    return true;
  }

  void select_data(int /*direction*/, int /*row*/, int train, int& skip_flg) const {
    if (skip_flg == 1) return;
    const int code = t_.op_day[direction_][train];
    if (code == 11) {
      if (f_.day_off == 1) skip_flg = 1;
    } else if (code == 1) {
      if (f_.sunday_or_holiday == 1) skip_flg = 1;
    } else if (code == 10) {
      if (f_.plain_saturday == 1) skip_flg = 1;
    } else if (code == 50) {
      if (f_.weekday != 6) skip_flg = 1;
    } else if (code == 51) {
      if (f_.sunday_or_holiday != 1 && f_.weekday != 6) skip_flg = 1;
    } else if (code == 70) {
      if (f_.sunday_or_holiday != 1) skip_flg = 1;
    } else if (code == 170) {
      if (f_.weekday == 1) skip_flg = 1;
    }
  }

  void set_para(int indx, int transfers, int dep, int arr) {
    const int ride = minutes(arr) - minutes(dep);
    int key = 0;
    if (c_.sort_order == 2) {
      key = arr * 10000 + ride;
    } else if (c_.sort_order == 3) {
      key = ride * 10000 + dep;
    } else {
      key = dep * 10000 + ride;
    }
    key = key + transfers;
    res_->entries[indx].ride_minutes = ride;
    res_->entries[indx].sort_key = key;
  }

  void sort_data() {
    const int n = res_->count;
    for (int i = 1; i <= n - 1; ++i) {
      for (int j = i + 1; j <= n; ++j) {
        if (res_->entries[j].sort_key < res_->entries[i].sort_key) {
          const ResultEntry w = res_->entries[i];
          res_->entries[i] = res_->entries[j];
          res_->entries[j] = w;
        }
      }
    }
  }

  void clr_table2() {
    for (int i = 1; i <= kMaxTransfers; ++i) transfer_[i] = Transfer{};
  }
  void clr_table3() {
    for (int i = 1; i <= kMaxSecondTransfers; ++i) transfer3_[i] = Transfer3{};
  }

  int sel_data3(int kk, int jj) {
    int m = 0;
    int s1 = jj;
    if (flag(jj) == 1) s1 = jj + 1;
    for (int s = s1 + 1; s <= ed_row_ - 1; ++s) {
      const int a = time(s, kk);
      if (a == 0) continue;
      const int limit = hhmm(minutes(a) + c_.wait_time);
      if (flag(s) == 1) {
        s = s + 1;
        if (s > ed_row_ - 1) return m;
      }
      for (int t3 = 1; t3 <= t_.train_count[direction_]; ++t3) {
        if (t3 == kk) continue;
        int skip_flg = 0;
        select_data(direction_, s, t3, skip_flg);
        if (skip_flg == 1) continue;
        const int e = time(s, t3);
        if (e < a || e > limit) continue;
        const int arr = time(ed_row_, t3);
        if (c_.ed_time1 <= arr && arr <= c_.ed_time2) {
          m = m + 1;
          if (m > kMaxSecondTransfers) {
            ++second_list_cuts;
            return kMaxSecondTransfers;
          }
          transfer3_[m].third_train = t3;
          transfer3_[m].second_row = s;
        }
      }
    }
    return m;
  }

  int sel_data2(int kk) {
    int n = 0;
    for (int s = st_row_ + 1; s <= ed_row_ - 1; ++s) {
      const int a = time(s, kk);
      if (a == 0) continue;
      const int limit = hhmm(minutes(a) + c_.wait_time);
      if (flag(s) == 1) {
        s = s + 1;
        if (s > ed_row_ - 1) return n;
      }
      for (int t2 = 1; t2 <= t_.train_count[direction_]; ++t2) {
        if (t2 == kk) continue;
        int skip_flg = 0;
        select_data(direction_, s, t2, skip_flg);
        if (skip_flg == 1) continue;
        const int e = time(s, t2);
        if (e < a || e > limit) continue;
        const int arr = time(ed_row_, t2);
        if (c_.ed_time1 <= arr && arr <= c_.ed_time2) {
          n = n + 1;
          if (n > kMaxTransfers) {
            ++transfer_list_cuts;
            return kMaxTransfers;
          }
          transfer_[n] = Transfer{t2, 0, s, 0};
        }
        if (c_.wait_count == 2) {
          clr_table3();
          const int m = sel_data3(t2, s);
          for (int k = 1; k <= m; ++k) {
            n = n + 1;
            if (n > kMaxTransfers) {
              ++transfer_list_cuts;
              return kMaxTransfers;
            }
            transfer_[n] = Transfer{t2, transfer3_[k].third_train, s, transfer3_[k].second_row};
          }
        }
      }
    }
    return n;
  }

  void sel_data(const std::function<void()>& pending) {
    SearchResult& r = *res_;
    r.count = 0;
    for (int t1 = 1; t1 <= t_.train_count[direction_]; ++t1) {
      if (t1 % 20 == 0 && pending) pending();
      int skip_flg = 0;
      select_data(direction_, st_row_, t1, skip_flg);
      if (skip_flg == 1) continue;
      const int d = time(st_row_, t1);
      if (d < c_.st_time1 || d > c_.st_time2) continue;
      const int a = time(ed_row_, t1);
      if (c_.ed_time1 <= a && a <= c_.ed_time2) {
        r.count = r.count + 1;
        if (r.count > kMaxResults) {
          r.count = kMaxResults;
          result_list_cut = 1;
          break;
        }
        r.entries[r.count].first_train = t1;
        set_para(r.count, 0, d, a);
      }
      clr_table2();
      const int n = sel_data2(t1);
      bool ended = false;
      for (int j = 1; j <= n; ++j) {
        r.count = r.count + 1;
        if (r.count > kMaxResults) {
          r.count = kMaxResults;
          result_list_cut = 1;
          ended = true;
          break;
        }
        ResultEntry& e = r.entries[r.count];
        e.first_train = t1;
        e.second_train = transfer_[j].second_train;
        e.third_train = transfer_[j].third_train;
        e.first_transfer_row = transfer_[j].first_row;
        e.second_transfer_row = transfer_[j].second_row;
        if (e.third_train != 0) {
          set_para(r.count, 2, d, time(ed_row_, e.third_train));
        } else {
          set_para(r.count, 1, d, time(ed_row_, e.second_train));
        }
      }
      if (ended) break;
    }
    sort_data();
  }

  const data::SinkansenTables& t_;
  const SearchConditions& c_;
  const calendar::DayFlags& f_;
  SearchResult* res_ = nullptr;
  int direction_ = 0, st_row_ = 0, ed_row_ = 0;
  std::array<Transfer, kMaxTransfers + 1> transfer_{};
  std::array<Transfer3, kMaxSecondTransfers + 1> transfer3_{};
};

}  // namespace ravolin::search::reference
