const frames = JSON.parse(document.getElementById('frames').textContent);
const text = JSON.parse(document.getElementById('texts').textContent);
const vertexClass = ['', 'current', 'visited', 'frontier', 'finished'];
const arcClass = ['', 'examined', 'chosen', 'rejected'];
const graph = document.getElementById('graph');
const slider = document.getElementById('slider');
const line = document.getElementById('narration');
const initial = new Map();
for (const e of document.querySelectorAll('#graph .weight, td.cell')) initial.set(e, e.textContent);
let shown = -1, timer = null;
slider.max = Math.max(frames.length - 1, 0);
function byId(id) { return document.getElementById(id); }
function arcElement(kind, a, b) { return byId(kind + a + '_' + b) || byId(kind + b + '_' + a); }
function reset() {
  for (const e of document.querySelectorAll('#graph .vertex')) {
    e.setAttribute('class', 'vertex');
    e.style.removeProperty('--fill');
    e.style.removeProperty('--ink');
  }
  for (const e of document.querySelectorAll('#graph .arc')) e.setAttribute('class', 'arc');
  for (const e of document.querySelectorAll('#graph .caption')) e.textContent = '';
  for (const [e, value] of initial) e.textContent = value;
  shown = -1;
}
function apply(frame, mark) {
  for (const [kind, a, b, value] of frame[1]) {
    if (kind === 0) {
      const e = byId('v' + a);
      if (e) e.setAttribute('class', 'vertex ' + vertexClass[value]);
    } else if (kind === 1) {
      const e = arcElement('a', a, b);
      if (e) e.setAttribute('class', 'arc ' + arcClass[value]);
    } else if (kind === 2) {
      const e = byId('c' + a);
      if (e) e.textContent = value;
    } else if (kind === 3) {
      const e = arcElement('w', a, b);
      if (e) e.textContent = value;
    } else if (kind === 4) {
      const e = byId('v' + a);
      const [fill, ink] = value.split(' ');
      if (e) { e.style.setProperty('--fill', fill); e.style.setProperty('--ink', ink); }
    } else {
      const e = byId('t' + a + '_' + b);
      if (e) { e.textContent = value; if (mark) e.classList.add('changed'); }
    }
  }
}
function show(i) {
  if (frames.length === 0) return;
  i = Math.max(0, Math.min(frames.length - 1, i));
  // The marks say what the frame shown changed, so they stay when it is shown again.
  if (i !== shown) {
    if (i < shown) reset();
    for (const e of document.querySelectorAll('td.changed')) e.classList.remove('changed');
    while (shown < i) { ++shown; apply(frames[shown], shown === i); }
  }
  slider.value = i;
  line.textContent = text.frame.replace('%1', i + 1).replace('%2', frames.length) + ' — ' + frames[i][0];
}
function play() {
  if (timer) { clearInterval(timer); timer = null; return; }
  if (shown >= frames.length - 1) show(0);
  timer = setInterval(() => {
    if (shown >= frames.length - 1) { clearInterval(timer); timer = null; return; }
    show(shown + 1);
  }, Number(byId('speed').value));
}
// Labels keep a readable size however small the drawing is shown.
function fit() {
  const box = graph.viewBox.baseVal, area = graph.getBoundingClientRect();
  if (!box || !box.width || !area.width) return;
  const scale = Math.min(area.width / box.width, area.height > 0 ? area.height / box.height : Infinity);
  graph.style.setProperty('--fs', Math.max(12, 11 / scale).toFixed(1) + 'px');
}
// The handout: every frame as a small copy of the drawing with its narration.
function handout() {
  const box = byId('handout');
  if (box.childElementCount > 0 || frames.length === 0) return;
  const keep = Math.max(shown, 0);
  for (let i = 0; i < frames.length; ++i) {
    show(i);
    const copy = graph.cloneNode(true);
    copy.removeAttribute('id');
    for (const e of copy.querySelectorAll('[id]')) e.removeAttribute('id');
    const panel = document.createElement('figure');
    panel.className = 'panel';
    const caption = document.createElement('figcaption');
    caption.textContent = text.panel.replace('%1', i + 1) + ' — ' + frames[i][0];
    panel.append(copy, caption);
    box.append(panel);
  }
  show(keep);
}
byId('first').onclick = () => show(0);
byId('back').onclick = () => show(shown - 1);
byId('play').onclick = play;
byId('forward').onclick = () => show(shown + 1);
byId('last').onclick = () => show(frames.length - 1);
slider.oninput = () => show(Number(slider.value));
document.addEventListener('keydown', (event) => {
  if (event.target instanceof HTMLSelectElement || event.target instanceof HTMLInputElement) return;
  const keys = {ArrowLeft: () => show(shown - 1), ArrowRight: () => show(shown + 1),
                Home: () => show(0), End: () => show(frames.length - 1), ' ': play};
  if (keys[event.key]) { keys[event.key](); event.preventDefault(); }
});
window.addEventListener('resize', fit);
window.addEventListener('beforeprint', handout);
fit();
if (frames.length <= 400) handout();
// "page.html#12" opens at frame 12, so a teacher can link to one step.
const asked = /^#(\d+)$/.exec(location.hash);
show(asked ? Number(asked[1]) - 1 : 0);
