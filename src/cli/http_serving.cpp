#include "cli/http_serving.h"

#include <ostream>

#include "cli/data_file_access.h"
#include "core/app/app_settings.h"
#include "core/app/ini_file.h"
#include "core/climate/climate_book.h"

namespace skyvane {

bool HttpAddress(CliContext& ctx, std::vector<std::string>& args, std::optional<ListenAddress>& address) {
  std::optional<std::string> text;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--http" && i + 1 < args.size()) {
      text = args[i + 1];
      args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
      break;
    }
    if (args[i].rfind("--http=", 0) == 0) {
      text = args[i].substr(7);
      args.erase(args.begin() + static_cast<long>(i));
      break;
    }
  }
  if (!text) {
    const std::string configured =
        IniFile(ctx.folder / kSettingsFileName).GetString("http", "Listen", "", 256);
    if (configured.empty()) return true;
    text = configured;
  }
  ListenAddress parsed;
  std::string error;
  if (!ParseListenAddress(*text, parsed, error)) {
    ctx.err << "skyvane-cli: " << error << "\n";
    return false;
  }
  address = parsed;
  return true;
}

bool CliHttpServer::Start(const ListenAddress& address, CurrentSource& current) {
  const std::filesystem::path path = ctx_.folder / kDataFileName;
  if (!DataFileIsThere(ctx_)) return false;
  if (!data_.Open(path.string())) {
    ctx_.err << "skyvane-cli: the data file " << path.string() << " cannot be opened\n";
    return false;
  }
  const bool v6 = address.host.find(':') != std::string::npos;
  const std::string host = v6 ? "[" + address.host + "]" : address.host;
  if (!IsLoopbackHost(address.host)) {
    ctx_.err << "skyvane-cli: warning: serving on " << host << ":" << address.port
             << " makes the weather data visible to the network, without password or encryption\n";
  }
  // Names beside the loopback ones and the listen address under which the
  // server may be reached (a name on the network, a reverse proxy's).
  const std::vector<std::string> allowed =
      SplitHostList(IniFile(ctx_.folder / kSettingsFileName).GetString("http", "AllowedHosts", "", 1024));
  server_ = std::make_unique<HttpServer>(current, data_, ctx_.clock, HttpServerLimits{}, allowed);
  server_->SetClimateOptions(climate::LoadClimateOptions(ctx_.folder.string()));
  std::string error;
  if (!server_->Start(address, error)) {
    ctx_.err << "skyvane-cli: " << error << "\n";
    return false;
  }
  ctx_.err << "skyvane-cli: serving http://" << host << ":" << server_->port() << "/\n" << std::flush;
  return true;
}

}  // namespace skyvane
