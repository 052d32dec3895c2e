// SPDX-License-Identifier: MIT
// ravolin-tool dump / build / export: the data file and its text sources.
#include "data/hotel_reader.h"
#include "data/plausibility.h"
#include "data/raw_data.h"
#include "data/readers.h"
#include "data/sources.h"
#include "state/loader.h"
#include "text/text.h"
#include "tool/commands.h"

#include <cstdio>
#include <memory>
#include <string>

namespace ravolin::tool {
namespace {

void out(const std::string& s) { std::fwrite(s.data(), 1, s.size(), stdout); }

std::string hhmm(std::int32_t t) { return t == 0 ? "--:--" : text::format_hhmm(t); }

using std::to_string;

// The file's size, its edition and the section directory.
void dump_header(std::string& s, const data::DataFile& file, const data::ScheduleData& d) {
  s += file.name() + ": " + to_string(file.size()) + " bytes, " +
       to_string(file.size() / data::kBlockSize) + " blocks\n";
  s += "edition " + to_string(d.edition->code) + " " + d.edition->caption + " (" +
       d.edition->settings_file + ", " + to_string(d.edition->number) + ")\n";
  s += "directory:";
  for (int i = 1; i <= data::kDirectorySlots; ++i) {
    s += ' ';
    s += to_string(i) + "=" + to_string(d.directory.slot[i]);
  }
}

void dump_areas(std::string& s, const data::AreaTable& areas,
                const hotels::DistrictNames& districts) {
  s += "\n\n[areas] " + to_string(areas.count) + "\n";
  for (int i = 1; i <= areas.count; ++i)
    s += "  " + to_string(i) + "\t" + areas.name[i] + "\tregion " + to_string(areas.region[i]) +
         "\tsecond " + to_string(areas.second[i]) + "\n";
  s += "\n[districts] " + to_string(districts.count) + "\n";
  for (int i = 1; i <= districts.count; ++i)
    s += "  " + to_string(i) + "\t" + districts.name[i] + "\n";
}

void dump_keiyo(std::string& s, const data::KeiyoTables& k) {
  for (int v = 1; v <= data::kKeiyoSchedules; ++v) {
    s += "\n[keiyo schedule " + to_string(v) + "] stations " + to_string(k.station_count[v]) +
         ", trains " + to_string(k.train_count[v]) + "\n  stations:";
    for (int c = 1; c <= data::kKeiyoStations; ++c)
      if (!k.station_name[v][c].empty()) {
        s += ' ';
        s += to_string(c) + ":" + k.station_name[v][c];
      }
    s += "\n";
    for (int t = 1; t <= k.train_count[v]; ++t) {
      s += "  " + text::fit_chars(text::trim(k.train_id[v][t]), 5);
      for (int c = 1; c <= data::kKeiyoTimeColumns; ++c) {
        s += ' ';
        s += hhmm(k.times[v][t][c]);
      }
      s += "\n";
    }
  }
}

void dump_shinkansen(std::string& s, const data::SinkansenTables& n) {
  for (int dir = 1; dir <= data::kSinDirections; ++dir) {
    s += "\n[shinkansen direction " + to_string(dir) + "] stations " + to_string(n.station_count) +
         ", trains " + to_string(n.train_count[dir]) + "\n";
    for (int r = 1; r <= data::kMaxSinStations; ++r)
      if (!n.station_name[dir][r].empty() || r <= n.station_count)
        s += "  row " + to_string(r) + "\t" + n.station_name[dir][r] + "\tflag " +
             to_string(n.station_flag[dir][r]) + "\n";
    for (int t = 1; t <= n.train_count[dir]; ++t) {
      s += "  train " + to_string(t) + " " + n.train_id[dir][t] + " day " +
           to_string(n.op_day[dir][t]);
      if (!n.car_type[dir][t].empty()) s += " car " + n.car_type[dir][t];
      s += ":";
      for (int r = 1; r <= data::kMaxSinStations; ++r)
        if (n.times[dir][r][t] != 0)
          s += " " + n.station_name[dir][r] +
               (n.station_flag[dir][r] == 1   ? "着"
                : n.station_flag[dir][r] == 2 ? "発"
                                              : "") +
               " " + hhmm(n.times[dir][r][t]);
      s += "\n";
    }
  }
}

void dump_fares(std::string& s, const fares::FareTables& f) {
  s += "\n[kilo] " + to_string(f.kilo_count) + "\n";
  for (int i = 1; i <= f.kilo_count; ++i) {
    char km[32];
    std::snprintf(km, sizeof km, "%.1f", f.kilo_table[i].kilo);
    s += "  " + f.kilo_table[i].station_name + "\t" + km + "\n";
  }
  s += "\n[pair] " + to_string(f.pair_count) + " (A B fare express free coupon)\n";
  for (int i = 1; i <= f.pair_count; ++i) {
    const auto& p = f.pair_fare_table[i];
    s += "  " + p.station_a + "\t" + p.station_b + "\t" + to_string(p.fare) + "\t" +
         to_string(p.express_fee) + "\t" + to_string(p.free_seat_fee) + "\t" +
         to_string(p.coupon_price) + "\n";
  }
  s += "\n[green] " + to_string(f.green_count) + " (upper-km green room2 room4)\n";
  for (int i = 1; i <= f.green_count; ++i) {
    const auto& g = f.green_table[i];
    s += "  " + to_string(g.upper_kilo) + "\t" + to_string(g.green_fee) + "\t" +
         to_string(g.room_fee_2) + "\t" + to_string(g.room_fee_4) + "\n";
  }
  s += "\n[ticket] " + to_string(f.ticket_count) + " (A B type sheets valid price)\n";
  for (int i = 1; i <= f.ticket_count; ++i) {
    const auto& t = f.ticket_table[i];
    s += "  " + t.station_a + "\t" + t.station_b + "\t" + to_string(t.ticket_type) + " " +
         fares::ticket_name(t.ticket_type) + "\t" + to_string(t.sheets) + "\t" +
         to_string(t.valid_term) + "\t" + to_string(t.price) + "\n";
  }
  s += "\n[nozomi] " + to_string(f.nozomi_count) + " (A B fee transfer spare)\n";
  for (int i = 1; i <= f.nozomi_count; ++i) {
    const auto& z = f.nozomi_table[i];
    s += "  " + z.station_a + "\t" + z.station_b + "\t" + to_string(z.nozomi_fee) + "\t" +
         to_string(z.transfer_fee) + "\t" + to_string(z.spare) + "\n";
  }
}

void dump_hotels(std::string& s, const hotels::HotelTable& h) {
  s += "\n[hotels] " + to_string(h.file_hotel_count) +
       " (area district name phone rooms access price remarks)\n";
  for (int i = 1; i <= h.total(); ++i) {
    const auto& e = h.entry[i];
    s += "  " + e.area + " | " + e.district + " | " + e.name + " | " + e.phone + " | " +
         to_string(e.rooms) + " | " + e.access + " | " + e.price + " | " + e.remarks + "\n";
  }
}

std::string dump_text(const data::DataFile& file, const data::ScheduleData& d,
                      const hotels::DistrictNames& districts, const fares::FareTables& f,
                      const hotels::HotelTable& h) {
  std::string s;
  dump_header(s, file, d);
  dump_areas(s, d.areas, districts);
  dump_keiyo(s, d.keiyo);
  dump_shinkansen(s, d.sin);
  dump_fares(s, f);
  dump_hotels(s, h);
  return s;
}

}  // namespace

int cmd_dump(const Args& args) {
  if (args.size() != 1) {
    std::fputs("ravolin-tool dump: usage: ravolin-tool dump FILE.dat\n", stderr);
    return 2;
  }
  auto d = std::make_unique<data::ScheduleData>();
  auto districts = std::make_unique<hotels::DistrictNames>();
  auto f = std::make_unique<fares::FareTables>();
  auto h = std::make_unique<hotels::HotelTable>();
  data::DataError err;
  data::DataFile file;
  // The whole file is checked first: dump shows only what export could rebuild.
  // Keiyo identifiers are shown as the board uses them, trimmed.
  auto whole = std::make_unique<data::RawData>();
  if (!file.open(args[0], err) || !data::read_image(file, *whole, err) ||
      !data::load_sections(args[0], 1, *d, *districts, *f, {}, err) ||
      !hotels::load_hotels(file, d->directory, d->areas, *districts, *h, err)) {
    std::fprintf(stderr, "ravolin-tool dump: %s\n", err.message().c_str());
    return 1;
  }
  out(dump_text(file, *d, *districts, *f, *h));
  return 0;
}

int cmd_build(const Args& args) {
  if (args.size() != 2) {
    std::fputs("ravolin-tool build: usage: ravolin-tool build SRC_DIR OUT.dat\n", stderr);
    return 2;
  }
  data::SourceFiles files;
  std::string error;
  if (!data::read_source_dir(args[0], files, error)) {
    std::fprintf(stderr, "ravolin-tool build: %s\n", error.c_str());
    return 1;
  }
  auto raw = std::make_unique<data::RawData>();
  std::vector<data::SourceError> errors;
  if (!data::parse_sources(files, *raw, errors)) {
    for (const auto& e : errors)
      std::fprintf(stderr, "ravolin-tool build: %s/%s\n", args[0].c_str(), e.message().c_str());
    std::fprintf(stderr, "ravolin-tool build: %zu error(s); %s not written\n", errors.size(),
                 args[1].c_str());
    return 1;
  }
  // a user's own data may be odd on purpose: the findings are warnings
  print_findings(data::check_plausibility(*raw), args[0], "ravolin-tool build: warning: ", stderr);
  std::vector<std::uint8_t> bytes;
  if (!data::write_image(*raw, bytes, error)) {
    std::fprintf(stderr, "ravolin-tool build: %s: %s; %s not written\n", args[0].c_str(),
                 error.c_str(), args[1].c_str());
    return 1;
  }
  if (!data::write_file_atomic(args[1], std::string(bytes.begin(), bytes.end()), error)) {
    std::fprintf(stderr, "ravolin-tool build: %s\n", error.c_str());
    return 1;
  }
  return 0;
}

int cmd_export(const Args& args) {
  if (args.size() != 2) {
    std::fputs("ravolin-tool export: usage: ravolin-tool export FILE.dat OUT_DIR\n", stderr);
    return 2;
  }
  data::DataError err;
  data::DataFile file;
  auto raw = std::make_unique<data::RawData>();
  if (!file.open(args[0], err) || !data::read_image(file, *raw, err)) {
    std::fprintf(stderr, "ravolin-tool export: %s\n", err.message().c_str());
    return 1;
  }
  std::string error;
  if (!data::write_source_dir(args[1], data::write_sources(*raw), error)) {
    std::fprintf(stderr, "ravolin-tool export: %s\n", error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace ravolin::tool
