'use strict';
// The clock page: it shows the fast time from the last state the program sent
// and counts on by itself between two states, with the browser's monotonic
// clock, so it shows every fast second without a message per second.
(function () {
    const SVG = 'http://www.w3.org/2000/svg';
    const DAY = 86400;
    const zeit = document.getElementById('zeit');
    const titel = document.getElementById('titel');
    const angehalten = document.getElementById('angehalten');
    const verbindung = document.getElementById('verbindung');
    const form = document.getElementById('ziffernform');
    const digitSegments = form.dataset.digits.split(',').map(Number);
    const digitWidth = Number(form.dataset.width);
    const digitHeight = Number(form.dataset.height);
    // the separator's steps from the program's digital face: "above:every", then the slowest
    const blink = form.dataset.blink.split(',').map(step => step.split(':').map(Number));

    let state = null;      // the last state the program sent
    let secondStart = 0;   // performance.now() when its fast second began
    let shown = -1;
    let timer = 0;

    function el(name, attributes, parent) {
        const e = document.createElementNS(SVG, name);
        for (const [k, v] of Object.entries(attributes)) e.setAttribute(k, v);
        if (parent) parent.appendChild(e);
        return e;
    }

    // LED face: four digits, the separator, two small digits for the seconds
    function digit(parent, x, y, scale) {
        const g = el('g', { transform: `translate(${x} ${y}) scale(${scale})` }, parent);
        return 'abcdefg'.split('').map(s => el('use', { href: '#seg-' + s, class: 'seg' }, g));
    }
    const led = document.getElementById('led');
    const small = 0.45;
    const places = [digit(led, 10, 10, 1), digit(led, 229, 10, 1), digit(led, 498, 10, 1), digit(led, 717, 10, 1),
        digit(led, 950, 392 - 10 - digitHeight * small, small),
        digit(led, 950 + digitWidth * small + 6, 392 - 10 - digitHeight * small, small)];
    const dots = [el('rect', { x: 453, y: 148, width: 30, height: 28, rx: 6, class: 'punkt' }, led),
        el('rect', { x: 453, y: 216, width: 30, height: 28, rx: 6, class: 'punkt' }, led)];

    // upright screens get the seconds below the hours and minutes, so the
    // digits can be larger
    function layout() {
        const portrait = window.innerHeight > window.innerWidth;
        const width = digitWidth * small + 6;
        const x = portrait ? (936 - 2 * width + 6) / 2 : 950;
        const y = portrait ? 402 : 392 - 10 - digitHeight * small;
        [4, 5].forEach((p, i) => places[p][0].parentNode.setAttribute('transform',
            `translate(${x + i * width} ${y}) scale(${small})`));
        led.setAttribute('viewBox', portrait ? `0 0 936 ${402 + digitHeight * small + 10}` : '0 0 1150 392');
    }
    window.addEventListener('resize', layout);
    layout();

    function showDigit(place, d) {
        const lit = digitSegments[d] || 0;
        place.forEach((segment, i) => segment.classList.toggle('an', (lit & (1 << i)) !== 0));
    }

    // analog face: the large dial with hour bars and minute ticks, three hands
    const analog = document.getElementById('analog');
    el('circle', { r: 240, class: 'rahmen' }, analog);
    el('circle', { r: 236, class: 'grau' }, analog);
    el('circle', { r: 229, class: 'rahmen' }, analog);
    el('circle', { r: 225, class: 'blatt' }, analog);
    for (let i = 0; i < 60; i++) {
        const hour = i % 5 === 0;
        const length = hour ? 54 : 22;
        const width = hour ? 12 : 4;
        el('rect', { x: -width / 2, y: -198, width: width, height: length, class: 'strich',
            transform: `rotate(${i * 6})` }, analog);
    }
    const hand = (points, cls) => el('polygon', { points: points, class: cls }, analog);
    const hourHand = hand('-10,24 -7,-120 0,-128 7,-120 10,24', 'zeiger');
    const minuteHand = hand('-7,26 -5,-180 0,-188 5,-180 7,26', 'zeiger');
    const secondHand = hand('-2,40 -2,-192 2,-192 2,40', 'sekunde');
    el('circle', { r: 9, class: 'sekunde' }, analog);

    const two = n => String(n).padStart(2, '0');

    // fast seconds between two toggles of the separator, as the program's
    function divisor(timebase) {
        const step = blink.find(s => s.length === 1 || timebase > s[0]);
        return step[step.length - 1];
    }

    function current(now) {
        if (!state.running) return state.time;
        const passed = Math.floor((now - secondStart) / state.timebase);
        return (state.time + Math.max(0, passed)) % DAY;
    }

    function render() {
        const now = performance.now();
        const t = current(now);
        if (state.started === false) { // no time before the first Start: the face alone
            zeit.setAttribute('aria-label', 'noch nicht gestartet');
            delete zeit.dataset.seconds;
            places.forEach(place => showDigit(place, -1));
            dots.forEach(dot => dot.classList.add('aus'));
            shown = -1;
        } else if (t !== shown) {
            shown = t;
            const h = Math.floor(t / 3600), m = Math.floor(t / 60) % 60, s = t % 60;
            const text = `${two(h)}:${two(m)}:${two(s)}`;
            zeit.setAttribute('aria-label', text);
            zeit.dataset.seconds = String(t);
            const digits = (two(h) + two(m) + two(s)).split('').map(Number);
            places.forEach((place, i) => showDigit(place, digits[i]));
            const on = !state.running || Math.floor(s / divisor(state.timebase)) % 2 === 0;
            dots.forEach(dot => dot.classList.toggle('aus', !on));
            hourHand.setAttribute('transform', `rotate(${(t % 43200) / 120})`);
            minuteHand.setAttribute('transform', `rotate(${(t % 3600) / 10})`);
            secondHand.setAttribute('transform', `rotate(${s * 6})`);
        }
        clearTimeout(timer);
        if (state.running) {
            // wake at the next fast second (the browser paints at its own pace)
            const next = secondStart + (Math.floor((now - secondStart) / state.timebase) + 1) * state.timebase;
            timer = setTimeout(render, Math.max(4, next - performance.now() + 1));
        }
    }

    function valid(s) {
        return s && Number.isInteger(s.time) && s.time >= 0 && s.time < DAY && Number.isInteger(s.timebase)
            && s.timebase >= 10 && typeof s.running === 'boolean' && typeof s.title === 'string';
    }

    function take(s, receivedAt) {
        if (!valid(s)) return;
        state = s;
        secondStart = receivedAt - (Number.isFinite(s.elapsed) ? s.elapsed : 0);
        titel.textContent = s.title;
        document.title = s.title ? s.title + ' – Quendrasil-Uhr' : 'Quendrasil-Uhr';
        angehalten.hidden = s.running;
        angehalten.textContent = s.started === false ? 'noch nicht gestartet' : 'angehalten';
        document.body.classList.toggle('wartet', s.started === false);
        zeit.dataset.running = String(s.running);
        shown = -1;
        render();
    }

    // live updates; after a lost connection try again, at most every 10 s
    let wait = 1000;
    let updates = 0;
    function connect() {
        const ws = new WebSocket((location.protocol === 'https:' ? 'wss://' : 'ws://') + location.host + '/live');
        ws.onopen = () => { wait = 1000; };
        ws.onmessage = event => {
            const receivedAt = performance.now();
            try { take(JSON.parse(event.data), receivedAt); } catch (e) { /* not a state */ }
            zeit.dataset.updates = String(++updates);
            verbindung.hidden = true;
        };
        ws.onclose = () => {
            verbindung.hidden = false;
            setTimeout(connect, wait);
            wait = Math.min(wait * 2, 10000);
        };
    }

    const style = new URLSearchParams(location.search).get('style');
    document.body.className = style === 'analog' ? 'analog' : 'led';
    // a tap asks for the whole screen, where the browser allows it
    document.addEventListener('click', () => {
        const root = document.documentElement;
        if (!document.fullscreenElement && root.requestFullscreen) root.requestFullscreen().catch(() => {});
    });

    try { take(JSON.parse(document.getElementById('zustand').textContent), performance.now()); } catch (e) { /* none */ }
    connect();
})();
