// SPDX-License-Identifier: MIT
#include "search/engine.h"

#include "board/board.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

namespace ravolin::search {

namespace {

using data::kMaxSinStations;
using data::kMaxSinTrains;

std::string_view trim_blanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

constexpr int kRowSlots = kMaxSinStations + 3;  // rows 0..52: walks may step past the end
constexpr int kBitWords = (kMaxSinTrains + 1 + 63) / 64;

}  // namespace

int find_row(const data::SinkansenTables& t, int d, std::string_view name, int flag_a, int flag_b) {
  const std::string_view wanted = trim_blanks(name);
  const int rows = std::clamp(t.station_count, 0, kMaxSinStations);
  for (int s = 1; s <= rows; ++s) {
    const int f = t.station_flag[d][s];
    if ((f == flag_a || f == flag_b) && trim_blanks(t.station_name[d][s]) == wanted) return s;
  }
  return 0;
}

int transfer_count(const ResultEntry& e) {
  if (e.second_train == 0) return 0;
  if (e.third_train == 0) return 1;
  return 2;
}

int last_train(const ResultEntry& e) {
  if (e.third_train != 0) return e.third_train;
  if (e.second_train != 0) return e.second_train;
  return e.first_train;
}

int departure_time(const data::SinkansenTables& tables, const SearchResult& result, int i) {
  return tables.time(result.direction, result.boarding_row, result.entries[i].first_train);
}

int arrival_time(const data::SinkansenTables& tables, const SearchResult& result, int i) {
  return tables.time(result.direction, result.alighting_row, last_train(result.entries[i]));
}

int minutes_of(int hhmm) { return (hhmm / 100) * 60 + hhmm % 100; }
int hhmm_from_minutes(int minutes) { return (minutes / 60) * 100 + minutes % 60; }

bool set_search_rows(const data::SinkansenTables& tables, const SearchConditions& cond,
                     SearchResult& result) {
  result.direction = 0;
  result.boarding_row = 0;
  result.alighting_row = 0;
  const std::string_view st = trim_blanks(cond.st_station);
  const std::string_view ed = trim_blanks(cond.ed_station);
  int direction = 1;
  int st_row = find_row(tables, 1, st, data::kFlagSingle, data::kFlagDeparture);
  int ed_row = find_row(tables, 1, ed, data::kFlagSingle, data::kFlagArrival);
  if (st_row == 0 || ed_row == 0) return false;
  if (st_row >= ed_row) {
    direction = 2;
    st_row = find_row(tables, 2, st, data::kFlagSingle, data::kFlagDeparture);
    ed_row = find_row(tables, 2, ed, data::kFlagSingle, data::kFlagArrival);
    if (st_row == 0 || ed_row == 0 || st_row >= ed_row) return false;
  }
  result.direction = direction;
  result.boarding_row = st_row;
  result.alighting_row = ed_row;
  return true;
}

void clear_results(SearchResult& result) {
  for (int i = 1; i <= kMaxResults; ++i) result.entries[i] = ResultEntry{};
  result.count = 0;
}

bool runs_on(int code, const calendar::DayFlags& f) { return !board::excluded_on_day(code, f); }

void skip_if_not_running(const data::SinkansenTables& tables, const calendar::DayFlags& flags,
                         int direction, int /*row*/, int train, int& skip_flg) {
  if (skip_flg == 1) return;
  if (!runs_on(tables.op_day[direction][train], flags)) skip_flg = 1;
}

void set_ride_and_sort_key(int sort_order, SearchResult& result, int indx, int transfers, int dep,
                           int arr) {
  const std::int32_t ride = minutes_of(arr) - minutes_of(dep);
  std::int32_t key;
  if (sort_order == kSortByArrival) {
    key = arr * 10000 + ride;
  } else if (sort_order == kSortByRide) {
    key = ride * 10000 + dep;
  } else {
    key = dep * 10000 + ride;
  }
  ResultEntry& e = result.entries[indx];
  e.ride_minutes = ride;
  e.sort_key = key + transfers;
}

// ---------------------------------------------------------------------------------------
// Work tables. Everything a search touches is sized by the table bounds and allocated
// once, in the constructor.
struct RouteSearch::Work {
  // Time orders of every row of a direction: train numbers sorted by (time, number).
  // They depend on the time table only, so they are kept while the table is unchanged
  // (checked against a copy of the direction's times before every search).
  struct DirectionOrder {
    bool valid = false;
    int train_count = -1;
    int station_count = -1;
    std::array<std::array<std::int32_t, kMaxSinTrains + 1>, kMaxSinStations + 1> times{};
    std::array<std::array<std::uint8_t, kMaxSinTrains>, kMaxSinStations + 1> order{};
  };
  std::array<DirectionOrder, data::kSinDirections + 1> orders;

  // Per-search filtered orders of the rows between boarding and alighting row:
  // `run_*` every running train, `ok_*` running trains that arrive within the window.
  struct RowOrder {
    int n = 0;
    std::array<std::int32_t, kMaxSinTrains> time{};
    std::array<std::uint8_t, kMaxSinTrains> train{};
  };
  std::array<RowOrder, kMaxSinStations + 1> run_order;
  std::array<RowOrder, kMaxSinStations + 1> ok_order;
  // With two transfers, once many connecting trains have been looked at: the running
  // trains that lead somewhere when boarded at the row (they arrive in the window or have
  // a second transfer after it). The others add nothing, so the scan can skip them.
  std::array<RowOrder, kMaxSinStations + 1> useful_order;
  bool useful_built = false;
  int looked_at = 0;

  bool busy = false;  // a search is running (the pending-events hook may call back)

  std::array<std::uint8_t, kMaxSinTrains + 1> runs{};
  std::array<std::uint8_t, kMaxSinTrains + 1> arr_ok{};

  // What the third-train scan finds for a second train, from whatever row it starts: for each row r
  // the third trains boarded when the walk over the rows visits r (pool[offset[r]] on,
  // length[r] of them, boarded at row[r], which is r + 1 after an arrival row); next[r],
  // the row the walk visits after r; first[r], the first row from r on along the walk
  // with any third trains (0: none). The list from a start row is the concatenation along
  // the walk, cut at 100.
  struct SecondTrain {
    bool prepared = false;
    std::array<std::int32_t, kRowSlots> offset{};
    std::array<std::uint8_t, kRowSlots> length{};
    std::array<std::uint8_t, kRowSlots> row{};  // row where the third trains are boarded
    std::array<std::uint8_t, kRowSlots> next{};
    std::array<std::uint8_t, kRowSlots> first{};
  };
  std::array<SecondTrain, kMaxSinTrains + 1> second;
  std::vector<std::uint8_t> pool;  // third trains of all match lists
  std::int32_t pool_used = 0;

  // Transfer list of the current first train.
  struct Transfer {
    std::uint8_t second_train, third_train, first_row, second_row;
  };
  std::array<Transfer, kMaxTransfers + 1> transfers{};

  // Current search.
  const data::SinkansenTables* t = nullptr;
  int dir = 0, st_row = 0, ed_row = 0, trains = 0;
  int wait_time = 0;

  Work()
      : pool(static_cast<std::size_t>(kMaxSinTrains) * (kMaxSinStations + 1) *
             kMaxSecondTransfers) {}

  std::int32_t time(int s, int train) const { return t->times[dir][s][train]; }
  int flag(int s) const { return t->station_flag[dir][s]; }

  void build_orders(const data::SinkansenTables& tables, int d);
  void prepare(const SearchConditions& cond, const calendar::DayFlags& flags);
  bool collect(const RowOrder& ro, std::int32_t lo, std::int32_t hi, int exclude,
               std::array<std::uint64_t, kBitWords>& bits) const;
  void prepare_second(int t2);
  void build_useful();
  int find_second_trains(int kk, int wait_count, int cap);
};

void RouteSearch::Work::build_orders(const data::SinkansenTables& tables, int d) {
  DirectionOrder& o = orders[d];
  const int n = std::clamp(tables.train_count[d], 0, kMaxSinTrains);
  const int rows = std::clamp(tables.station_count, 0, kMaxSinStations);
  if (o.valid && o.train_count == n && o.station_count == rows &&
      std::memcmp(&o.times, &tables.times[d], sizeof(o.times)) == 0) {
    return;
  }
  std::memcpy(&o.times, &tables.times[d], sizeof(o.times));
  o.train_count = n;
  o.station_count = rows;
  std::array<std::int64_t, kMaxSinTrains> keys{};
  for (int s = 1; s <= rows; ++s) {
    for (int k = 0; k < n; ++k) {
      keys[k] = static_cast<std::int64_t>(o.times[s][k + 1]) * 256 + (k + 1);
    }
    // Trains are mostly listed in time order, so an insertion sort is quick; it gives up
    // for a row that is far out of order.
    int moves = 0;
    bool sorted = true;
    for (int k = 1; k < n && sorted; ++k) {
      const std::int64_t v = keys[k];
      int j = k;
      while (j > 0 && keys[j - 1] > v) {
        keys[j] = keys[j - 1];
        --j;
      }
      keys[j] = v;
      moves += k - j;
      if (moves > 4 * kMaxSinTrains) sorted = false;
    }
    if (!sorted) std::sort(keys.begin(), keys.begin() + n);
    for (int k = 0; k < n; ++k) o.order[s][k] = static_cast<std::uint8_t>(keys[k] & 255);
  }
  o.valid = true;
}

void RouteSearch::Work::prepare(const SearchConditions& cond, const calendar::DayFlags& flags) {
  for (int k = 1; k <= trains; ++k) {
    runs[k] = runs_on(t->op_day[dir][k], flags) ? 1 : 0;
    const std::int32_t a = time(ed_row, k);
    arr_ok[k] = (runs[k] != 0 && cond.ed_time1 <= a && a <= cond.ed_time2) ? 1 : 0;
  }
  const DirectionOrder& o = orders[dir];
  for (int s = st_row + 1; s <= ed_row - 1; ++s) {
    RowOrder& ro = run_order[s];
    RowOrder& ok = ok_order[s];
    ro.n = 0;
    ok.n = 0;
    for (int k = 0; k < trains; ++k) {
      const int tr = o.order[s][k];
      if (runs[tr] == 0) continue;
      const std::int32_t tm = o.times[s][tr];
      ro.time[ro.n] = tm;
      ro.train[ro.n++] = static_cast<std::uint8_t>(tr);
      if (arr_ok[tr] != 0) {
        ok.time[ok.n] = tm;
        ok.train[ok.n++] = static_cast<std::uint8_t>(tr);
      }
    }
  }
  for (int k = 1; k <= trains; ++k) second[k].prepared = false;
  pool_used = 0;
  useful_built = false;
  looked_at = 0;
}

// Marks the trains of `ro` whose time lies in lo..hi, except `exclude`; false when there
// are none (and then `bits` is left as it was).
bool RouteSearch::Work::collect(const RowOrder& ro, std::int32_t lo, std::int32_t hi, int exclude,
                                std::array<std::uint64_t, kBitWords>& bits) const {
  const std::int32_t* begin = ro.time.data();
  const std::int32_t* end = begin + ro.n;
  const std::int32_t* p = std::lower_bound(begin, end, lo);
  if (p == end || *p > hi) return false;
  bits.fill(0);
  bool any = false;
  for (; p != end && *p <= hi; ++p) {
    const int tr = ro.train[static_cast<std::size_t>(p - begin)];
    if (tr != exclude) {
      bits[tr >> 6] |= std::uint64_t{1} << (tr & 63);
      any = true;
    }
  }
  return any;
}

// Builds the walk and the match lists of second train t2 (what the third-train scan looks at for
// any row it is started from).
void RouteSearch::Work::prepare_second(int t2) {
  SecondTrain& st = second[t2];
  st.prepared = true;
  std::array<std::uint64_t, kBitWords> bits{};
  // Rows at or beyond the alighting row end every walk.
  for (int r = ed_row; r < kRowSlots; ++r) {
    st.length[r] = 0;
    st.first[r] = 0;
    st.next[r] = static_cast<std::uint8_t>(r + 1 < kRowSlots ? r + 1 : r);
  }
  for (int r = ed_row - 1; r > st_row; --r) {
    st.length[r] = 0;
    st.offset[r] = pool_used;
    const std::int32_t a = time(r, t2);
    int row = r;
    int nx = r + 1;
    if (a != 0) {
      const std::int32_t limit = hhmm_from_minutes(minutes_of(a) + wait_time);
      if (flag(r) == data::kFlagArrival) {
        row = r + 1;
        nx = r + 2;
      }
      if (row <= ed_row - 1 && collect(ok_order[row], a, limit, t2, bits)) {
        int len = 0;
        std::uint8_t* out = pool.data() + pool_used;
        for (int w = 0; w < kBitWords && len < kMaxSecondTransfers; ++w) {
          std::uint64_t b = bits[w];
          while (b != 0 && len < kMaxSecondTransfers) {
            out[len++] = static_cast<std::uint8_t>(w * 64 + __builtin_ctzll(b));
            b &= b - 1;
          }
        }
        st.length[r] = static_cast<std::uint8_t>(len);
        pool_used += len;
      }
    }
    st.row[r] = static_cast<std::uint8_t>(row);
    st.next[r] = static_cast<std::uint8_t>(std::min(nx, kRowSlots - 1));
    st.first[r] = st.length[r] != 0 ? static_cast<std::uint8_t>(r) : st.first[st.next[r]];
  }
}

void RouteSearch::Work::build_useful() {
  for (int k = 1; k <= trains; ++k) {
    if (runs[k] != 0 && !second[k].prepared) prepare_second(k);
  }
  for (int s = st_row + 1; s <= ed_row - 1; ++s) {
    const int start = s + (flag(s) == data::kFlagArrival ? 1 : 0) + 1;
    const RowOrder& ro = run_order[s];
    RowOrder& u = useful_order[s];
    u.n = 0;
    for (int k = 0; k < ro.n; ++k) {
      const int tr = ro.train[k];
      if (arr_ok[tr] != 0 || (start < kRowSlots && second[tr].first[start] != 0)) {
        u.time[u.n] = ro.time[k];
        u.train[u.n++] = ro.train[k];
      }
    }
  }
  useful_built = true;
}

// The transfer list of first train kk, built only as far as `cap` entries (the caller
// needs no more). Returns its length.
int RouteSearch::Work::find_second_trains(int kk, int wait_count, int cap) {
  int n = 0;
  std::array<std::uint64_t, kBitWords> bits{};
  for (int s = st_row + 1; s <= ed_row - 1; ++s) {
    const std::int32_t a = time(s, kk);
    if (a == 0) continue;
    const std::int32_t limit = hhmm_from_minutes(minutes_of(a) + wait_time);
    if (flag(s) == data::kFlagArrival) {
      ++s;
      if (s > ed_row - 1) return n;
    }
    const RowOrder& order =
        wait_count != 2 ? ok_order[s] : (useful_built ? useful_order[s] : run_order[s]);
    if (!collect(order, a, limit, kk, bits)) continue;
    for (int w = 0; w < kBitWords; ++w) {
      std::uint64_t b = bits[w];
      while (b != 0) {
        const int t2 = w * 64 + __builtin_ctzll(b);
        b &= b - 1;
        ++looked_at;
        if (arr_ok[t2] != 0) {
          if (n == cap) return n;
          transfers[++n] = {static_cast<std::uint8_t>(t2), 0, static_cast<std::uint8_t>(s), 0};
        }
        if (wait_count != 2) continue;
        if (!second[t2].prepared) prepare_second(t2);
        const SecondTrain& sc = second[t2];
        const int s1 = s + (flag(s) == data::kFlagArrival ? 1 : 0);
        if (s1 + 1 >= kRowSlots) continue;
        int m = 0;
        for (int r = sc.first[s1 + 1]; r != 0 && m < kMaxSecondTransfers;
             r = sc.first[sc.next[r]]) {
          const std::uint8_t* list = pool.data() + sc.offset[r];
          const int len = std::min<int>(sc.length[r], kMaxSecondTransfers - m);
          for (int k = 0; k < len; ++k) {
            if (n == cap) return n;
            transfers[++n] = {static_cast<std::uint8_t>(t2), list[k], static_cast<std::uint8_t>(s),
                              sc.row[r]};
          }
          m += len;
        }
      }
    }
  }
  return n;
}

RouteSearch::RouteSearch() : work_(std::make_unique<Work>()) {}
RouteSearch::~RouteSearch() = default;

namespace {
// Marks the engine busy for the length of a search.
class BusyGuard {
 public:
  explicit BusyGuard(bool& flag) : flag_(flag) { flag_ = true; }
  ~BusyGuard() { flag_ = false; }
  BusyGuard(const BusyGuard&) = delete;
  BusyGuard& operator=(const BusyGuard&) = delete;

 private:
  bool& flag_;
};
}  // namespace

int RouteSearch::search(const data::SinkansenTables& tables, const SearchConditions& cond,
                        const calendar::DayFlags& flags, SearchResult& result,
                        const PendingEvents& pending) {
  if (work_->busy) return 0;  // called again from its own pending-events hook
  set_search_rows(tables, cond, result);
  clear_results(result);
  return run_search(tables, cond, flags, result, pending);
}

int RouteSearch::run_search(const data::SinkansenTables& tables, const SearchConditions& cond,
                            const calendar::DayFlags& flags, SearchResult& result,
                            const PendingEvents& pending) {
  Work& w = *work_;
  if (w.busy) return 0;  // called again from its own pending-events hook
  BusyGuard guard(w.busy);
  result.count = 0;
  const int dir = result.direction;
  if (dir < 1 || dir > data::kSinDirections || result.boarding_row < 1 ||
      result.alighting_row > kMaxSinStations || result.boarding_row >= result.alighting_row) {
    return 0;
  }
  w.build_orders(tables, dir);
  w.t = &tables;
  w.dir = dir;
  w.st_row = result.boarding_row;
  w.ed_row = result.alighting_row;
  w.trains = std::clamp(tables.train_count[dir], 0, kMaxSinTrains);
  w.wait_time = cond.wait_time;
  w.prepare(cond, flags);

  int count = 0;
  for (int t1 = 1; t1 <= w.trains; ++t1) {
    if (t1 % 20 == 0 && pending) pending();
    if (w.runs[t1] == 0) continue;
    const std::int32_t d = w.time(w.st_row, t1);
    if (d < cond.st_time1 || d > cond.st_time2) continue;
    if (w.arr_ok[t1] != 0) {
      if (count == kMaxResults) break;
      ResultEntry& e = result.entries[++count];
      e.first_train = t1;
      set_ride_and_sort_key(cond.sort_order, result, count, 0, d, w.time(w.ed_row, t1));
    }
    // Only as many continuations as can still be stored, plus the one that ends the search.
    const int cap = std::min(kMaxTransfers, kMaxResults + 1 - count);
    if (cond.wait_count == 2 && !w.useful_built && w.looked_at > 4 * kMaxSinTrains) {
      w.build_useful();
    }
    const int n = w.find_second_trains(t1, cond.wait_count, cap);
    bool full = false;
    for (int j = 1; j <= n; ++j) {
      if (count == kMaxResults) {
        full = true;
        break;
      }
      const Work::Transfer& tr = w.transfers[j];
      ResultEntry& e = result.entries[++count];
      e.first_train = t1;
      e.second_train = tr.second_train;
      e.third_train = tr.third_train;
      e.first_transfer_row = tr.first_row;
      e.second_transfer_row = tr.second_row;
      const int last = tr.third_train != 0 ? tr.third_train : tr.second_train;
      set_ride_and_sort_key(cond.sort_order, result, count, tr.third_train != 0 ? 2 : 1, d,
                            w.time(w.ed_row, last));
    }
    if (full) break;
  }
  result.count = count;
  sort_entries(result);
  return count;
}

// The exchange sort (for i < j, exchange entries i and j when key(j) < key(i)), computed
// without its quadratic scan. Doing the exchanges column by column instead of row by row
// (they commute where they touch different entries) shows what it does: entries are
// taken in list order and each is let through the already sorted ones. An entry with key
// K goes to the end of the group of key K, and every group with a greater key has its
// first entry moved to its end. So each group is a list under a pending left rotation,
// and the rotations a group owes are the entries with smaller keys taken since it last
// changed, counted with a Fenwick tree over the groups.
void sort_entries(SearchResult& result) {
  const int n = result.count;
  if (n < 2) return;
  // Entries in key order (then list order) give the groups and their sizes.
  std::array<std::uint64_t, kMaxResults> by_key;
  for (int i = 1; i <= n; ++i) {
    const std::uint32_t biased =
        static_cast<std::uint32_t>(result.entries[i].sort_key) ^ 0x80000000u;
    by_key[i - 1] = (static_cast<std::uint64_t>(biased) << 16) | static_cast<std::uint64_t>(i);
  }
  std::sort(by_key.begin(), by_key.begin() + n);
  std::array<std::int16_t, kMaxResults + 1> group_of;
  std::array<std::int16_t, kMaxResults + 1> start;  // groups 0..groups-1 in key order
  int groups = 0;
  for (int k = 0; k < n; ++k) {
    if (k == 0 || (by_key[k] >> 16) != (by_key[k - 1] >> 16))
      start[groups++] = static_cast<std::int16_t>(k);
    group_of[by_key[k] & 0xffff] = static_cast<std::int16_t>(groups - 1);
  }
  start[groups] = static_cast<std::int16_t>(n);

  std::array<std::int16_t, kMaxResults> store;       // each group's list at its start
  std::array<std::int16_t, kMaxResults> size{};      // current length of each group
  std::array<std::int16_t, kMaxResults> rot{};       // left rotation applied to the list
  std::array<std::int16_t, kMaxResults> seen{};      // smaller-key count at the last change
  std::array<std::int16_t, kMaxResults + 1> tree{};  // Fenwick tree: entries taken per group
  const auto smaller = [&](int g) {                  // entries taken so far in groups 0..g-1
    int c = 0;
    for (int x = g; x > 0; x -= x & -x) c += tree[x];
    return c;
  };
  for (int i = 1; i <= n; ++i) {
    const int g = group_of[i];
    const int less = smaller(g);
    const int s = size[g];
    const int r = s == 0 ? 0 : (rot[g] + (less - seen[g])) % s;
    std::int16_t* list = store.data() + start[g];
    std::memmove(list + r + 1, list + r, static_cast<std::size_t>(s - r) * sizeof(std::int16_t));
    list[r] = static_cast<std::int16_t>(i);
    rot[g] = static_cast<std::int16_t>(r + 1);
    size[g] = static_cast<std::int16_t>(s + 1);
    seen[g] = static_cast<std::int16_t>(less);
    for (int x = g + 1; x <= groups; x += x & -x) ++tree[x];
  }

  std::array<ResultEntry, kMaxResults + 1> old;
  std::copy(result.entries.begin() + 1, result.entries.begin() + n + 1, old.begin() + 1);
  int out = 1;
  for (int g = 0; g < groups; ++g) {
    const int s = size[g];
    const int r = (rot[g] + (smaller(g) - seen[g])) % s;
    const std::int16_t* list = store.data() + start[g];
    for (int k = r; k < s; ++k) result.entries[out++] = old[list[k]];
    for (int k = 0; k < r; ++k) result.entries[out++] = old[list[k]];
  }
}

}  // namespace ravolin::search
