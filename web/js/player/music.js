// The music of a watch link's film: its music line names a file the link does not
// carry. The file kept in this browser (the studio keeps it with the draft) is
// played under the story; else the player says so once, offering to choose it,
// and keeps the file chosen like any music.
import { decodeMusic, keepMusic, keptMusic, MOST_MUSIC_BYTES } from '../shared/music_file.js';
import { $ } from '../shared/page.js';
import { shownName } from '../shared/text_file.js';

// music: the compile answer's music line; say(text) says one sentence; heard()
// is called once the program mixes the music.
export async function findMusic(core, music, say, heard) {
  if (!music)
    return;
  const use = decoded => {
    core.setMusic(decoded.samples, music.offset, music.gain);
    heard();
  };
  const kept = await keptMusic(music.name);
  const decoded = kept && await decodeMusic(kept.bytes, music.name).catch(() => null);
  if (decoded) {
    use(decoded);
    return;
  }
  say(`This film has music "${music.name}", which the link does not carry: it plays without it.`);
  $('said-music').hidden = false;
  $('said-music').onclick = () => $('music-input').click();
  $('music-input').onchange = async () => {
    const file = $('music-input').files[0];
    $('music-input').value = '';
    if (!file)
      return;
    try {
      if (file.size > MOST_MUSIC_BYTES)
        throw new Error(`${shownName(file.name)} is not used as music: it is over 200 MB.`);
      const bytes = await file.arrayBuffer();
      use(await decodeMusic(bytes, shownName(file.name)));
      $('said-music').hidden = true;
      try {
        await keepMusic(music.name, file.size, bytes);
        say(`The music "${music.name}" plays under the film, kept in this browser.`);
      } catch (error) {
        say(`Not saved: ${error.message}; the music "${music.name}" plays until the page is closed.`);
      }
    } catch (error) {
      say(error.message);
    }
  };
}
