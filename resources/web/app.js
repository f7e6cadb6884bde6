// The dashboard: live values from /api/current and the event stream
// /api/events, today's highs and lows from /api/today, charts from
// /api/records. Everything it loads comes from the program that serves it.
// What the climate page shares with it is in window.skyvane.
"use strict";
(function () {
  const T = JSON.parse(document.getElementById("texts").textContent);
  const lang = document.documentElement.lang || "en";
  const text = (name) => T[name] || name;
  const $ = (sel, root) => (root || document).querySelector(sel);
  const $$ = (sel, root) => Array.from((root || document).querySelectorAll(sel));

  let units = {};  // display unit of each key, from the latest reading
  let latestTime = null;

  document.title = text("title");
  $("#title").textContent = text("title");
  $$("[data-text]").forEach((el) => { el.textContent = text(el.dataset.text); });
  $$(".card[data-key]").forEach((card) => {
    const key = card.dataset.key;
    card.innerHTML = "<h2></h2><p class=\"value\" data-show=\"" + key + "\">---</p>";
    card.querySelector("h2").textContent = text(key);
  });

  const alarmList = $("#alarms");
  const lamps = Object.keys(T).filter((k) => k.startsWith("lamp_")).map((k) => k.slice(5));
  lamps.forEach((key) => {
    const li = document.createElement("li");
    li.dataset.lamp = key;
    li.className = "off";
    li.textContent = text("lamp_" + key);
    li.title = text("off");
    alarmList.appendChild(li);
  });

  // A number in the page's language: the decimals the station shows, a
  // decimal comma in German and Danish as on the chart axes.
  const decimalsOf = (text) => (text.includes(".") ? text.length - text.indexOf(".") - 1 : 0);
  function localNumber(text) {
    if (!/^-?\d+(\.\d+)?$/.test(text)) return text;
    const n = decimalsOf(text);
    return Number(text).toLocaleString(lang, { minimumFractionDigits: n, maximumFractionDigits: n, useGrouping: false });
  }

  function showValue(el, key, reading) {
    const value = reading.display ? reading.display[key] : null;
    el.textContent = value == null ? "---" : localNumber(value);
    if (value != null && reading.units && reading.units[key]) {
      const unit = document.createElement("span");
      unit.className = "unit";
      unit.textContent = reading.units[key];
      el.appendChild(unit);
    }
  }

  function showReading(reading) {
    const unitsBefore = JSON.stringify(units);
    units = reading.units || units;
    if (JSON.stringify(units) !== unitsBefore) document.dispatchEvent(new Event("skyvane-units"));
    $$("[data-show]").forEach((el) => showValue(el, el.dataset.show, reading));
    const deg = reading.wind_direction;
    $("#direction").textContent = reading.wind_direction_name || "---";
    // Values the station did not give this cycle are not shown as live.
    const stale = reading.connected !== true;
    $$(".card").forEach((card) => card.classList.toggle("stale", stale));
    $("#needle").style.transform = deg == null ? "" : "rotate(" + deg + "deg)";
    $("#needle").style.visibility = deg == null ? "hidden" : "visible";
    const alarms = reading.alarms || {};
    $$("#alarms li").forEach((li) => {
      const state = alarms[li.dataset.lamp] || "unknown";
      li.className = state;
      li.title = text(state);
    });
    const link = $("#link");
    if (reading.source === "stored") {
      link.className = "link stored";
      link.textContent = text("stored");
    } else {
      link.className = reading.connected ? "link on" : "link";
      link.textContent = text(reading.connected ? "connected" : "not_connected");
    }
    const seen = reading.source === "stored" && reading.alarms_seen ? new Date(reading.alarms_seen) : null;
    $("#alarms-seen").textContent = seen ? "(" + text("alarms_seen") + ": " + seen.toLocaleString(lang) + ")" : "";
    const read = reading.last_read ? new Date(reading.last_read) : null;
    $("#read-time").textContent = read ? text("last_read") + ": " + read.toLocaleString(lang) : text("waiting");
    if (reading.time) {
      const first = latestTime === null;
      latestTime = new Date(reading.time);
      document.body.dataset.live = String(Number(document.body.dataset.live || 0) + 1);
      // Charts that found no records try again: the logger may just be
      // downloading the station's history.
      if (first || chartRecords === 0) loadCharts();
      loadToday();
    }
  }

  // Chart values in the units the station displays (the API gives base units).
  const convert = {
    "°F": (v) => v * 1.8 + 32,
    "inHg": (v) => v * 0.02953, "mmHg": (v) => v * 0.75,
    "km/h": (v) => v * 3.6, "kn": (v) => v * 1.9428, "mph": (v) => v * 2.237,
    "in": (v) => v * 0.03937,
  };
  const inUnit = (key, v) => (v == null ? null : (convert[unitOf(key)] || ((x) => x))(v));
  // A chart of Beaufort levels would hide the speeds: those charts stay in m/s.
  const unitOf = (key) => (units[key] && units[key] !== "Bft" ? units[key] : ({
    outdoor_temperature: "°C", outdoor_humidity: "%", relative_pressure: "hPa", wind_speed: "m/s", rain_total: "mm",
  })[key]);

  // A value in the unit the station displays, with the decimals that unit
  // is shown with, in the page's language; "---" for none.
  const decimals = { "°C": 1, "°F": 1, "mm": 1, "in": 2, "hPa": 1, "inHg": 2, "mmHg": 1 };
  function fixed(v, n, signed) {
    return v == null ? "---" : v.toLocaleString(lang, {
      minimumFractionDigits: n, maximumFractionDigits: n, useGrouping: false, signDisplay: signed ? "exceptZero" : "auto" });
  }
  function shown(key, v) {
    if (v == null) return "---";
    const unit = unitOf(key);
    return fixed(inUnit(key, v), unit in decimals ? decimals[unit] : 1) + " " + unit;
  }
  // A change (a difference of two values): without the offset of °F.
  function shownChange(key, v) {
    if (v == null) return "---";
    const unit = unitOf(key);
    const scale = unit === "°F" ? 1.8 : inUnit(key, 1);
    return fixed(v * scale, unit in decimals ? decimals[unit] : 1, true) + " " + unit;
  }
  // "HH:MM" of a time the API gives, as the station's clock read it.
  const clockTime = (iso) => (iso ? iso.slice(11, 16) : "");

  // A JSON answer, or null. The server answers only a few long requests at
  // once and refuses more with 503: those are asked again a little later.
  async function getJson(url) {
    for (let wait = 250; ; wait *= 2) {
      try {
        const res = await fetch(url);
        if (res.ok) return await res.json();
        if (res.status !== 503 || wait > 4000) return null;
      } catch (e) { return null; }
      await new Promise((done) => setTimeout(done, wait));
    }
  }

  // Today's panel; one request at a time.
  let todayBusy = false;
  async function loadToday() {
    if (todayBusy) return;
    todayBusy = true;
    const today = await getJson("/api/today");
    todayBusy = false;
    if (today) showToday(today);
  }
  let lastToday = null;
  function showToday(today) {
    lastToday = today;
    const set = (name, value) => { $("[data-today=\"" + name + "\"]").textContent = value; };
    set("high", shown("outdoor_temperature", today.outdoor_temperature_high));
    set("high_time", clockTime(today.outdoor_temperature_high_time));
    set("low", shown("outdoor_temperature", today.outdoor_temperature_low));
    set("low_time", clockTime(today.outdoor_temperature_low_time));
    set("rain_today", shown("rain_total", today.rain_today));
    set("rain_last_hour", shown("rain_total", today.rain_last_hour));
    set("pressure_trend", shownChange("relative_pressure", today.pressure_trend));
    set("tendency", today.pressure_tendency ? text(today.pressure_tendency) : "");
    document.body.dataset.todayShown = String(Number(document.body.dataset.todayShown || 0) + 1);
  }
  document.addEventListener("skyvane-units", () => { if (lastToday) showToday(lastToday); });

  const spans = { day: 86400e3, week: 7 * 86400e3, month: 30 * 86400e3, year: 365 * 86400e3 };
  let period = "day";
  const charts = {};
  const css = getComputedStyle(document.documentElement);
  const color = (name) => css.getPropertyValue(name).trim();

  function dateLabel(ms) {
    const d = new Date(ms);
    return period === "day" ? d.toLocaleTimeString(lang, { hour: "2-digit", minute: "2-digit" })
                            : d.toLocaleDateString(lang, { day: "numeric", month: "short" });
  }

  const drawnMark = {
    id: "drawnMark",
    afterRender(chart) {
      chart.canvas.dataset.drawn = String(chart.data.datasets[0].data.length);
      document.body.dataset.charts = String($$("#dashboard canvas[data-drawn]").length);
    },
  };

  function draw(id, sets, unit) {
    const grid = color("--line"), fg = color("--muted");
    if (charts[id]) charts[id].destroy();
    charts[id] = new Chart(document.getElementById(id), {
      type: "line",
      data: { datasets: sets.map((s) => ({
        label: s.label, data: s.data, borderColor: s.color, backgroundColor: s.color + "33",
        fill: !!s.fill, pointRadius: 0, borderWidth: 1.5, tension: 0.2 })) },
      options: {
        // Tick and tooltip numbers in the page's language, as on the cards.
        locale: lang,
        animation: false, responsive: true, maintainAspectRatio: false, parsing: false, normalized: true,
        interaction: { mode: "index", intersect: false },
        plugins: { legend: { labels: { color: fg, boxWidth: 12 } },
                   tooltip: { callbacks: { title: (items) => items.length ? new Date(items[0].parsed.x).toLocaleString(lang) : "" } } },
        scales: {
          x: { type: "linear", ticks: { color: fg, maxTicksLimit: 6, callback: dateLabel }, grid: { color: grid } },
          y: { ticks: { color: fg }, grid: { color: grid }, title: { display: !!unit, text: unit, color: fg } },
        },
      },
      plugins: [drawnMark],
    });
  }

  const chartKeys = ["outdoor_temperature", "dewpoint", "outdoor_humidity", "relative_pressure",
                     "wind_speed", "gust_speed", "rain_total"];
  let loading = 0;
  let chartRecords = -1;  // records in the charts drawn last; -1 before any

  async function loadCharts() {
    if (!latestTime) return;
    const ticket = ++loading;
    const from = new Date(latestTime.getTime() - spans[period]).toISOString().replace(/\.\d+Z$/, "Z");
    const url = "/api/records?from=" + encodeURIComponent(from) + "&keys=" + chartKeys.join(",") + "&max=1000";
    const records = (await getJson(url)) || [];
    if (ticket !== loading) return;
    // A station whose clock was set back stores records out of time order.
    records.sort((a, b) => Date.parse(a.time) - Date.parse(b.time));
    $("#no-records").hidden = records.length > 0;
    chartRecords = records.length;
    const series = (key) => records.map((r) => ({ x: Date.parse(r.time), y: inUnit(key, r[key]) }));
    const firstRain = records.length ? records[0].rain_total : 0;
    const rain = records.map((r) => ({ x: Date.parse(r.time),
      y: r.rain_total == null || firstRain == null ? null : inUnit("rain_total", r.rain_total - firstRain) }));
    draw("chart-temperature", [
      { label: text("outdoor_temperature"), data: series("outdoor_temperature"), color: color("--warm") },
      { label: text("dewpoint"), data: series("dewpoint"), color: color("--accent") }], unitOf("outdoor_temperature"));
    draw("chart-humidity", [
      { label: text("outdoor_humidity"), data: series("outdoor_humidity"), color: color("--accent"), fill: true }], "%");
    draw("chart-pressure", [
      { label: text("relative_pressure"), data: series("relative_pressure"), color: color("--armed") }], unitOf("relative_pressure"));
    draw("chart-wind", [
      { label: text("wind"), data: series("wind_speed"), color: color("--accent") },
      { label: text("gust"), data: series("gust_speed"), color: color("--warm") }], unitOf("wind_speed"));
    draw("chart-rain", [
      { label: text("rain"), data: rain, color: color("--accent"), fill: true }], unitOf("rain_total"));
  }

  $$("#periods button").forEach((b) => b.addEventListener("click", () => {
    period = b.dataset.period;
    $$("#periods button").forEach((o) => o.setAttribute("aria-pressed", String(o === b)));
    loadCharts();
  }));

  window.skyvane = { text, lang, unitOf, inUnit, fixed, shown, shownChange, clockTime, color, getJson };

  fetch("/api/current").then((r) => r.json()).then(showReading).catch(() => {});
  const events = new EventSource("/api/events");
  events.addEventListener("current", (e) => {
    $("#status").classList.remove("lost");
    showReading(JSON.parse(e.data));
  });
  events.onerror = () => { $("#read-time").textContent = text("stream_lost"); };
  // The charts follow the records the logger stores.
  setInterval(loadCharts, 5 * 60 * 1000);
})();
