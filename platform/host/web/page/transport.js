// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The transport over the show's clock: pause, step, seek, chapters and a link to the
// moment on screen. The viewer's commands are queued for the program's host, which takes
// them at its frames (web.nextCommand() in page.js): a seek forward goes on in the running
// program; for a seek back the host asks for a new instance at that moment
// (web.restart()), its device dialog answered unseen.
'use strict';

const showLengthMs = 110000;
const keySeekMs = 5000;
// Page Up within this much of a chapter's start goes to the chapter before it.
const chapterBackMs = 1000;

// The commands, as web_transport.cpp numbers them.
const pauseCommand = 1, resumeCommand = 2, stepCommand = 3, stepBackCommand = 4, seekCommand = 5;

const transport = {
    commands: [],   // [command, moment], for the host
    target: -1,     // the moment sought, or -1
    paused: false,
    engaged: false,  // from the show's first frame to its end: the transport's keys are the page's
    active: false,   // and act (not while a seek back starts the show again)
    at: 0,          // the moment on screen (or reached by a seek)
    link: '',       // the moment on screen as a link carries it
};
const timeText = document.getElementById('time');
const pauseButton = document.getElementById('pause');
const seekBar = document.getElementById('seek');
const seekProgress = document.getElementById('seek-progress');
const chapterList = document.getElementById('chapters');
const chapterMarks = document.getElementById('chapter-marks');
const linkButton = document.getElementById('copy-link');
const linkText = document.getElementById('link');
let chapters = [];  // {ms, name}, in order
let pendingSeeks = [];  // test mode: each sought when the one before is reached
let seekBarHeld = false;

function clampMs(ms) {
    return Math.min(Math.max(Math.round(ms), 0), showLengthMs - 1);
}

function seekTo(ms) {
    if (!transport.active) return;
    transport.target = clampMs(ms);
    transport.commands.push([seekCommand, transport.target]);
}

function setPaused(paused) {
    if (!transport.active || transport.paused === paused) return;
    showPaused(paused);
}

function showPaused(paused) {
    transport.paused = paused;
    if (transport.active) transport.commands.push([paused ? pauseCommand : resumeCommand, 0]);
    pauseButton.textContent = paused ? 'Resume' : 'Pause';
    pauseButton.setAttribute('aria-pressed', String(paused));
    // The sound stops at the sample playing and goes on from the next one.
    if (audio) (paused ? audio.context.suspend() : audio.context.resume()).catch(() => {});
}

// Where the show stands for the keys: where a seek running will be, so that keys pressed
// during it add up.
function position() {
    return transport.target >= 0 ? transport.target : transport.at;
}

function step(command) {
    if (transport.paused && transport.active) transport.commands.push([command, 0]);
}

function chapterSeek(direction) {
    if (direction > 0) {
        const next = chapters.find((chapter) => chapter.ms > position());
        if (next) seekTo(next.ms);
        return;
    }
    const before = chapters.filter((chapter) => chapter.ms < position() - chapterBackMs);
    seekTo(before.length ? before[before.length - 1].ms : 0);
}

// The transport's keys, by what they are, whatever control has the focus: true when the
// key is the transport's (then no control and not the show sees it).
const transportKeys = {
    ' ': () => setPaused(!transport.paused),
    '.': () => step(stepCommand),
    ',': () => step(stepBackCommand),
    'ArrowLeft': () => seekTo(position() - keySeekMs),
    'ArrowRight': () => seekTo(position() + keySeekMs),
    'PageUp': () => chapterSeek(-1),
    'PageDown': () => chapterSeek(1),
    'Home': () => seekTo(0),
};

function transportKey(event, released) {
    const action = transportKeys[event.key];
    if (!action || !transport.engaged) return false;
    event.preventDefault();
    event.stopPropagation();
    if (!released) action();
    return true;
}

function onStarting() {
    transport.active = false;
    transport.target = -1;
    transport.commands = [];
    transport.at = 0;
    seekProgress.hidden = true;
    linkText.hidden = true;
    if (!testMode) pendingSeeks = [];
}

function onEnded() {
    transport.engaged = false;
    transport.active = false;
    transport.target = -1;
    if (transport.paused) showPaused(false);
}

function onShown(ms, clock, link) {
    transport.active = transport.engaged = true;
    transport.at = ms;
    transport.link = link;
    timeText.textContent = clock;
    if (!seekBarHeld) seekBar.value = ms;
}

function onSeeking(ms, target, progress) {
    transport.active = transport.engaged = true;
    transport.target = target;
    seekProgress.hidden = false;
    seekProgress.value = progress;
}

function onArrived(ms) {
    transport.active = transport.engaged = true;
    transport.target = -1;
    transport.at = ms;
    seekProgress.hidden = true;
    if (pendingSeeks.length) seekTo(pendingSeeks.shift());
}

function formatChapterTime(ms) {
    const seconds = Math.floor(ms / 1000);
    return Math.floor(seconds / 60) + ':' + String(seconds % 60).padStart(2, '0');
}

function addChapter(ms, name) {
    if (chapters.some((chapter) => chapter.ms === ms)) return;  // each instance offers them again
    chapters.push({ms, name});
    const mark = document.createElement('option');
    mark.value = ms;
    mark.label = name;
    chapterMarks.append(mark);
    const item = document.createElement('li');
    const button = document.createElement('button');
    button.type = 'button';
    button.dataset.ms = ms;
    button.textContent = name + ' ';
    const time = document.createElement('span');
    time.className = 'chapter-time';
    time.textContent = formatChapterTime(ms);
    button.append(time);
    button.addEventListener('click', () => seekTo(ms));
    item.append(button);
    chapterList.append(item);
    chapterList.hidden = false;
}

pauseButton.addEventListener('click', () => setPaused(!transport.paused));
seekBar.addEventListener('pointerdown', () => { seekBarHeld = true; });
seekBar.addEventListener('change', () => {
    seekBarHeld = false;
    seekTo(Number(seekBar.value));
});

// The link to the moment on screen: to the clipboard, or shown selected where the page
// may not write it (a plain-http host).
linkButton.addEventListener('click', async () => {
    const url = new URL(location.href);
    url.hash = 't=' + (transport.link || '0');
    try {
        if (!window.isSecureContext || !navigator.clipboard) throw new Error('no clipboard');
        await navigator.clipboard.writeText(url.href);
        message.textContent = 'Link copied: ' + url.href;
    } catch (error) {
        linkText.hidden = false;
        linkText.value = url.href;
        linkText.focus();
        linkText.select();
    }
});

// The moment a link opens at, as the program reads it (#t=61.2 or #t=1:01.2).
function linkOptions() {
    const moment = new URLSearchParams(location.hash.slice(1)).get('t');
    return moment === null ? {} : {t: moment};
}

function testOptions() {
    pendingSeeks = (params.get('seeks') || '').split(',').filter((ms) => ms).map(Number);
    return pendingSeeks.length ? {'seek-ms': pendingSeeks.shift()} : {};
}
