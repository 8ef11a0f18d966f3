// The campaign: a day in a games shop, told one opponent at a time.
#include "flow/story.h"

namespace velloxa {

const std::array<OpponentStory, 11>& story_content() {
    // clang-format off
    static const std::array<OpponentStory, 11> kStory = {{
        // Position 1: the opening of the day.
        {"It is a rainy Saturday, and you push open the creaky door of Grubb's Games and Puzzles with a pocket full of Velloxa tiles.  Old Mrs Grubb looks up from behind the counter and promises that if you beat every player in the shop today, you may choose any prize from her shelves.  The shop keeps one old house rule, she reminds you: the winner of every game steals one tile from the loser's box, and the loser hands it over with a smile.  Crumpet, the shop cat, opens one eye, decides that you are not food, and goes back to sleep on the counter.  Mrs Grubb adds that a five thousand piece jigsaw of a plain beige wall is still available at a very reasonable price.",
         "Face your first opponent.  Wren, aged seven and three quarters, sits cross-legged on the floor with a rule book she has written herself.  In her rules, she tells you, purple tiles always win, and then she admits that none of the tiles are purple.  She promises to go easy on you, because you look new.",
         "Wren flips the coin so high it lands on a shelf.",
         ""},
        // Position 2: after beating opponent 1.
        {"Wren studies the board for a long time, then announces that it was only a practice round.  She shakes your hand very seriously and makes you promise to look after the tile you have stolen, because it was her favourite.  Then she sits back down with her rule book and writes a new rule, in case you play her again.  Crumpet the cat stretches, unimpressed.",
         "Face your second opponent.  Colin, the Saturday assistant, has been asleep behind the till since the shop opened.  Mrs Grubb pokes him with a broom and tells him he may take his break if he plays you.  He insists, through a yawn, that he is wide awake, and shuffles his tiles upside down.",
         "Colin nods off mid-flip and drops the coin.",
         "Press Enter to go back to face little Wren and her homemade rule book again.  This is a good way to collect more tiles before facing stronger opponents."},
        // Position 3: after beating opponent 2.
        {"Colin blinks at the finished board and asks who won.  When you tell him, he nods, says that sounds about right, and pushes his tile box across for you to steal from.  Then he goes back to sleep on a stack of board game boxes, mumbling that you may wake him for another game.  Mrs Grubb asks whether you have given any more thought to the beige jigsaw.",
         "Face your third opponent.  Granny Maud sits in the armchair by the window, knitting a scarf that is already longer than the shop.  She taught half the town to play Velloxa, she tells you, and nobody dares to ask which half.  Her needles never stop clicking, not even while she plays.",
         "Granny Maud flips the coin with a knitting needle.",
         "Press Enter to go back to face Colin, the sleepy Saturday assistant, again.  This is a good way to collect more tiles before facing stronger opponents."},
        // Position 4: after beating opponent 3.
        {"Granny Maud pats you on the head and says that you play almost as well as her late husband, who was terrible.  She lets you steal a tile from her knitting bag, with a toffee from the bottom of her handbag thrown in, where it has clearly been for years.  Then she settles back into her armchair, and the scarf now reaches out of the door and halfway down the street.",
         "Face your fourth opponent.  Professor Ashby is a collector who wears white cotton gloves and keeps every tile in a little velvet box of its own.  His tiles, he explains, must never touch the table, the board, or the air for too long.  He has brought tweezers.",
         "Mrs Grubb flips the coin for the gloved professor.",
         "Press Enter to go back to face Granny Maud and her never-ending scarf again.  This is a good way to collect more tiles before facing stronger opponents."},
        // Position 5: after beating opponent 4.
        {"The professor polishes each of his tiles with a silk cloth, muttering that they are not accustomed to losing.  With his tweezers he lifts out the tile you have stolen and sighs as it goes, then stays at the corner table to polish the rest, in case you ask for a rematch.  Crumpet the cat sneezes on his velvet boxes.",
         "Face your fifth opponent.  The Pottle twins, Hetty and Lenny, play as a team, which means they argue about every single move.  Hetty wants to attack at once; Lenny wants to wait and see.  Mrs Grubb says they have been arguing since the day they were born, about which of them was born first.",
         "Hetty and Lenny both call heads at once.",
         "Press Enter to go back to face Professor Ashby and his white cotton gloves again.  This is a good way to collect more tiles before facing stronger opponents."},
        // Position 6: after beating opponent 5.
        {"The twins blame each other for the defeat, loudly, all the way to the door and back again.  They argue about whose tile you have stolen, and agree on only one thing: you were lucky.  They sit straight back down, still arguing about which of them will beat you next time.",
         "Face your sixth opponent.  Sir Clanksworth is not really a knight; he is an accountant called Trevor, just back from a costume fair in a full suit of armour.  Every move he makes sounds like a cutlery drawer falling down the stairs.  He challenges you to a duel, and then asks for help getting into his chair.",
         "Sir Clanksworth drops the coin inside his armour.",
         "Press Enter to go back to face the quarrelling Pottle twins, Hetty and Lenny, again.  This is a good way to collect more tiles before facing stronger opponents."},
        // Position 7: after beating opponent 6.
        {"Sir Clanksworth kneels to admit defeat and cannot get back up.  It takes you, Mrs Grubb and two other customers to lift him.  He thanks you for an honourable battle, declares the tile you have stolen a fair prize of war, and clanks over to a sturdy bench to rest for the rematch he insists you owe him.",
         "Face your seventh opponent.  Mystic Doreen runs the launderette across the road, but on Saturdays she tells fortunes at the back of the shop in a shawl covered in paper stars.  Her crystal ball, you notice, is a gumball from the sweet machine.  The spirits, she says, will show her every move you make.",
         "Mystic Doreen foresees the coin toss, wrongly.",
         "Press Enter to go back to face Sir Clanksworth, the accountant in armour, again.  This is a good way to collect more tiles before facing stronger opponents."},
        // Position 8: after beating opponent 7.
        {"Mystic Doreen declares that she foresaw her defeat and only played to be polite, and that the spirits chose the tile you have stolen.  She reads your fortune free of charge and tells you that you will soon be offered a beige jigsaw.  Behind the counter, Mrs Grubb is already holding the jigsaw up hopefully.",
         "Face your eighth opponent.  Speedy Quentin is the fastest player in town and carries three stopwatches, in case two of them break.  His train leaves in an hour, he tells you, and he likes to be early for it, so he has laid out his tiles before you have even sat down.  He talks even faster than he plays.",
         "Quentin times the toss: a shop record.",
         "Press Enter to go back to face Mystic Doreen and her gumball crystal ball again.  This is a good way to collect more tiles before facing stronger opponents."},
        // Position 9: after beating opponent 8.
        {"Quentin stares at the board and checks all three stopwatches, as if one of them might show a different result.  He admits that you won fair and square, although eleven minutes more slowly than necessary, and times you stealing your tile.  Then he decides that a later train will do, because he wants a rematch first.",
         "Face your ninth opponent.  A mysterious figure in a long grey cloak has been sitting in the darkest corner of the shop all day without a word.  As you approach, the hood comes down, and there sits Ambrose, the postman, hiding from his round.  He whispers that he hides from his round a great deal, so he is very good at this game, and puts a finger to his lips.",
         "Ambrose flips the coin with a swirl of his cloak.",
         "Press Enter to go back to face Speedy Quentin and his three stopwatches again.  This is a good way to collect more tiles before facing stronger opponents."},
        // Position 10: after beating opponent 9.
        {"Ambrose sighs, finds the tile you have stolen at the bottom of his postbag, and admits that he should probably go and deliver some letters.  Instead he hands Mrs Grubb her post, which includes a catalogue of jigsaws, and slips back into his dark corner.  Mrs Grubb looks at you, and then at the last unbeaten player in the shop: herself.",
         "Face your final opponent.  Mrs Grubb puts down her teacup, rolls up her sleeves, and lifts a battered tile box from under the counter.  Nobody has beaten her in forty years, she tells you, and the last one who tried now works here on Saturdays.  Behind the till, Colin wakes up just long enough to nod.",
         "Crumpet the cat swats the coin off the counter.",
         "Press Enter to go back to face Ambrose, the postman in the grey cloak, again.  This is a good way to collect more tiles before facing stronger opponents."},
        // Position 11: every opponent beaten.
        {"Mrs Grubb stares at the board in silence, then bursts out laughing, shakes your hand, and holds out her battered box for you to steal a tile, because house rules are house rules.  She declares you the new champion of Grubb's Games and Puzzles and tells you to choose any prize from her shelves.  You choose the Grand Velloxa Set from the top shelf, its tiles carved from polished oak in a brass-bound case, and she wraps it up for you together with a free five thousand piece jigsaw of a plain beige wall.  She puts the kettle on and says that a champion must always take on a challenger.  Crumpet the cat curls up on top of your parcel and falls asleep, as champions do.",
         "You have defeated all of the Velloxa players.  To exit back to the main menu, press Escape.",
         "",
         "Press Enter to go back to face Mrs Grubb, the former champion of the shop, again.  You have defeated every player in the shop, but by the house rule there are still more tiles to be stolen."},
    }};
    // clang-format on
    return kStory;
}

}  // namespace velloxa
