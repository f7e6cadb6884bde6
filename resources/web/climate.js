// The climate page (#climate): the months of a year from /api/summary, the
// days of one month as a chart, and the records from /api/extremes, in the
// units and the language of the dashboard (window.skyvane, from app.js).
"use strict";
(function () {
  const S = window.skyvane;
  const text = S.text, lang = S.lang, getJson = S.getJson;
  const $ = (sel) => document.querySelector(sel);
  let years = [], months = [], days = [], records = null;
  let year = null, month = null, loaded = false, chart = null;

  const dateOf = (date) => { const [y, m, d] = date.split("-").map(Number); return new Date(y, m - 1, d || 1); };
  const monthName = (ym) => dateOf(ym).toLocaleDateString(lang, { month: "long" });
  const dayName = (date) => dateOf(date).toLocaleDateString(lang, { day: "numeric", month: "numeric", year: "numeric" });
  // Degree days count degrees: in °F 1.8 times as many.
  const degreeDays = (v) => (v == null ? "---" : S.fixed(S.unitOf("outdoor_temperature") === "°F" ? v * 1.8 : v, 1));

  function cell(row, value, when) {
    const td = row.insertCell();
    const span = document.createElement("span");
    span.textContent = value;
    td.appendChild(span);
    if (when) {
      const small = document.createElement("small");
      small.textContent = when;
      td.appendChild(small);
    }
  }

  function summaryRow(body, name, s) {
    const row = body.insertRow();
    const th = document.createElement("th");
    th.textContent = name;
    row.appendChild(th);
    cell(row, S.shown("outdoor_temperature", s.outdoor_temperature_high));
    cell(row, S.shown("outdoor_temperature", s.outdoor_temperature_low));
    cell(row, S.shown("outdoor_temperature", s.outdoor_temperature_mean));
    cell(row, S.shown("rain_total", s.rain));
    cell(row, String(s.rain_days_0_2 == null ? "---" : s.rain_days_0_2));
    cell(row, degreeDays(s.heating_degree_days));
    cell(row, degreeDays(s.cooling_degree_days));
    return row;
  }

  function showMonths() {
    const body = $("#climate-months tbody");
    body.replaceChildren();
    months.forEach((m) => summaryRow(body, monthName(m.date), m));
    const total = years.find((y) => y.date === year);
    if (total) summaryRow(body, text("year") + " " + year, total).className = "total";
    $("#climate-empty").hidden = months.length > 0;
  }

  const kRecords = [
    ["outdoor_temperature_high", "record_temperature_high", "outdoor_temperature"],
    ["outdoor_temperature_low", "record_temperature_low", "outdoor_temperature"],
    ["gust_speed_high", "record_gust", "gust_speed"],
    ["wettest_day", "record_wettest_day", "rain_total"],
    ["relative_pressure_high", "record_pressure_high", "relative_pressure"],
    ["relative_pressure_low", "record_pressure_low", "relative_pressure"],
  ];
  function showRecords() {
    const body = $("#climate-records tbody");
    body.replaceChildren();
    if (!records) return;
    kRecords.forEach(([key, name, unitKey]) => {
      const row = body.insertRow();
      const th = document.createElement("th");
      th.textContent = text(name);
      row.appendChild(th);
      ["all_time", "this_year", "this_month"].forEach((span) => {
        const r = records[span] && records[span][key];
        const when = !r ? "" : r.date ? dayName(r.date) : dayName(r.time.slice(0, 10)) + " " + S.clockTime(r.time);
        cell(row, r ? S.shown(unitKey, r.value) : "---", when);
      });
    });
  }

  function drawDays() {
    // Every day of the month on the axis; days without records stay empty.
    const [y, m] = (month || "1970-01").split("-").map(Number);
    const count = new Date(y, m, 0).getDate();
    const byDay = {};
    days.forEach((d) => { byDay[Number(d.date.slice(8, 10))] = d; });
    const series = (key, unitKey) => Array.from({ length: count }, (_, i) =>
      byDay[i + 1] ? S.inUnit(unitKey, byDay[i + 1][key]) : null);
    const temperature = (key) => series(key, "outdoor_temperature");
    const fg = S.color("--muted"), grid = S.color("--line");
    if (chart) chart.destroy();
    const canvas = $("#chart-climate");
    chart = new Chart(canvas, {
      data: {
        labels: Array.from({ length: count }, (_, i) => i + 1),
        datasets: [
          { type: "line", label: text("high"), data: temperature("outdoor_temperature_high"), borderColor: S.color("--warm"),
            backgroundColor: S.color("--warm"), pointRadius: 2, borderWidth: 1.5, yAxisID: "y" },
          { type: "line", label: text("low"), data: temperature("outdoor_temperature_low"), borderColor: S.color("--accent"),
            backgroundColor: S.color("--accent"), pointRadius: 2, borderWidth: 1.5, yAxisID: "y" },
          { type: "bar", label: text("rain"), data: series("rain", "rain_total"),
            backgroundColor: S.color("--armed") + "99", yAxisID: "rain" },
        ],
      },
      options: {
        locale: lang, animation: false, responsive: true, maintainAspectRatio: false,
        interaction: { mode: "index", intersect: false },
        plugins: { legend: { labels: { color: fg, boxWidth: 12 } } },
        scales: {
          x: { ticks: { color: fg }, grid: { color: grid } },
          y: { position: "left", ticks: { color: fg }, grid: { color: grid },
               title: { display: true, text: S.unitOf("outdoor_temperature"), color: fg } },
          rain: { position: "right", beginAtZero: true, ticks: { color: fg }, grid: { display: false },
                  title: { display: true, text: S.unitOf("rain_total"), color: fg } },
        },
      },
      plugins: [{ id: "climateMark", afterRender(c) { c.canvas.dataset.drawn = String(days.length); } }],
    });
  }

  function render() {
    if (!loaded) return;
    showMonths();
    showRecords();
    drawDays();
    document.body.dataset.climate = String(Number(document.body.dataset.climate || 0) + 1);
  }

  function fillSelect(select, values, chosen, name) {
    select.replaceChildren(...values.map((v) => new Option(name(v), v, false, v === chosen)));
  }

  async function loadMonth() {
    days = month ? (await getJson("/api/summary?period=day&from=" + month + "&to=" + month)) || [] : [];
  }
  async function loadYear() {
    months = (await getJson("/api/summary?period=month&from=" + year + "&to=" + year)) || [];
    const names = months.map((m) => m.date);
    month = names.includes(month) ? month : names[names.length - 1] || null;
    fillSelect($("#climate-month"), names, month, monthName);
    await loadMonth();
  }
  async function load() {
    const [y, r] = await Promise.all([getJson("/api/summary?period=year"), getJson("/api/extremes")]);
    years = y || [];
    records = r;
    // The newest year with records, unless one was chosen.
    const names = years.map((s) => s.date);
    year = names.includes(year) ? year : names[names.length - 1] || null;
    fillSelect($("#climate-year"), names, year, (v) => v);
    if (year) await loadYear();
    loaded = true;
    render();
  }

  $("#climate-year").addEventListener("change", async (e) => { year = e.target.value; await loadYear(); render(); });
  $("#climate-month").addEventListener("change", async (e) => { month = e.target.value; await loadMonth(); render(); });
  document.addEventListener("skyvane-units", render);

  function showPage() {
    const climate = location.hash === "#climate";
    $("#dashboard").hidden = climate;
    $("#climate").hidden = !climate;
    document.querySelectorAll("nav.pages a").forEach((a) => {
      if ((a.dataset.page === "climate") === climate) a.setAttribute("aria-current", "page");
      else a.removeAttribute("aria-current");
    });
    // Loaded each time it is shown: the file may have grown meanwhile.
    if (climate) load();
  }
  window.addEventListener("hashchange", showPage);
  showPage();
})();
